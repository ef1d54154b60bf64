// Camera streams (wirereel objects) connected for the QML but not yet taken
// by a camera source: the QML holds only their ids. A source takes its
// stream out of the table and owns it from then on.
#pragma once

#include "shell/handle_table.h"

HandleTable<void>& camera_streams();

// Frees a stream that no source took (its window could not be made).
bool release_camera_stream(int id);
