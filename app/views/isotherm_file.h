// The isotherm file (".is"): the bands of the isotherm editor, written and
// read whole. Layout in docs/formats.md.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

struct IsothermFileBand {
    float low = 0.0f;
    float span = 0.0f;
    bool transparent = false;
    uint32_t colour = 0;  // 0x00RRGGBB
};

class IsothermFile {
public:
    static constexpr uint32_t kMagic1 = 0xD68ECC35u;
    static constexpr uint32_t kMagic2 = 0x7B5F407Eu;
    static constexpr uint32_t kVersion = 1;
    static constexpr int kHeaderBytes = 16;
    static constexpr int kBandBytes = 13;
    // More bands than anybody edits by hand; a larger count is refused.
    static constexpr uint32_t kMaxBands = 4096;

    // Writes every band in order through a temporary file that replaces the
    // target only when complete.
    static bool write(const QString& path, const std::vector<IsothermFileBand>& bands);
    // Reads and checks the whole file before answering: magic, version, a
    // count that matches the file's length, finite values and flags of 0 or 1. On false, bands is left as it was and error says why.
    static bool read(const QString& path, std::vector<IsothermFileBand>& bands, QString* error = nullptr);
    // The same over bytes already in memory.
    static bool parse(const QByteArray& bytes, std::vector<IsothermFileBand>& bands, QString* error = nullptr);
    static QByteArray serialise(const std::vector<IsothermFileBand>& bands);
};
