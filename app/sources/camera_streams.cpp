#include "sources/camera_streams.h"

#include "wirereel.h"

HandleTable<void>& camera_streams()
{
    static HandleTable<void> table;
    return table;
}

bool release_camera_stream(int id)
{
    void* stream = camera_streams().take(id);
    return stream != nullptr && wirereel_uninit(&stream);
}
