// Voice note of a picture: 8000 Hz, mono, 8-bit PCM. Playing and recording
// come with the voice-note window later; the tool already holds the note
// it was lent so that saving keeps it and its length can be shown.
#pragma once

#include <cstdint>

class AudioTool {
public:
    // The bytes stay the caller's and must live until the next call.
    void set_sound_bytes(unsigned char* bytes, uint32_t length)
    {
        m_bytes = bytes;
        m_length = bytes != nullptr ? length : 0;
    }
    void clear_sound() { set_sound_bytes(nullptr, 0); }
    unsigned char* sound_bytes() const { return m_bytes; }
    uint32_t sound_length() const { return m_length; }
    int sound_seconds() const { return static_cast<int>(m_length / 8000); }

    void start_play() {}
    void start_record() {}
    void stop_record() {}

private:
    unsigned char* m_bytes = nullptr;
    uint32_t m_length = 0;
};
