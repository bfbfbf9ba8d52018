// media/DXWave.h — wave data: a format block and sample data, read from and
// written as a RIFF WAVE image (the "WAVE" byte block of a wave item).
//
// Reading: a 12-byte "RIFF" <size> "WAVE" header (else EWaveStreamError
// "Wave is invalid"), then chunks until an id of 0 or the end: "fmt " gives
// the format block, "data" the sample data, others are skipped by their size
// (no pad byte after an odd size). Data reaching past the end is cut to what
// is there.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/Persistent.h"
#include "media/Streams.h"

namespace skyrend {

// The fields of the standard wave-format record. A field the format block is
// too short to hold reads as 0.
struct TWaveFormat {
    uint16_t FormatTag = 0;       // 1 = PCM
    uint16_t Channels = 0;
    uint32_t SamplesPerSec = 0;
    uint32_t AvgBytesPerSec = 0;
    uint16_t BlockAlign = 0;
    uint16_t BitsPerSample = 0;
};
constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr size_t WaveFormatRecordSize = 16;

TWaveFormat ParseWaveFormat(const std::vector<uint8_t>& formatBlock);
std::vector<uint8_t> MakeWaveFormat(const TWaveFormat& format);

// Reads a RIFF WAVE image from a stream. Open parses the header and chunks
// (EWaveStreamError "Stream is already open" when open already); Read gives
// sample data from the data start, at most the data size
// ("Stream not opened" before Open).
class TRIFFWaveReader {
public:
    explicit TRIFFWaveReader(TStream& stream) : stream_(stream) {}
    void Open();
    void Close() { opened_ = false; }
    bool Opened() const { return opened_; }

    const std::vector<uint8_t>& FormatBlock() const;
    // The sample data's size, cut to the bytes the stream holds.
    int64_t DataSize() const;
    size_t Read(void* buffer, size_t count);

private:
    void CheckOpened() const;
    TStream& stream_;
    bool opened_ = false;
    std::vector<uint8_t> format_;
    int64_t dataStart_ = 0;
    int64_t dataSize_ = 0;
    int64_t dataRead_ = 0;
};

class TWave : public TPersistent {
public:
    std::string ClassName() const override { return "TWave"; }
    // "WAVE": a byte block holding a RIFF WAVE image.
    bool ReadProperty(const std::string& name, TReader& reader) override;
    // Writes "WAVE" (the owner writes "Wave.WAVE" itself with RiffImage()).
    void WriteProperties(TWriter& writer) const override;

    // Reads a RIFF WAVE image, replacing format and data.
    void LoadFromStream(TStream& stream);
    void LoadFromBytes(const std::vector<uint8_t>& riff);
    // Writes "RIFF" size "WAVE", "fmt " chunk, "data" chunk.
    void SaveToStream(TStream& stream) const;
    std::vector<uint8_t> RiffImage() const;

    const std::vector<uint8_t>& FormatBlock() const { return format_; }
    const std::vector<uint8_t>& Data() const { return data_; }
    TWaveFormat Format() const { return ParseWaveFormat(format_); }
    void SetFormatBlock(std::vector<uint8_t> block) { format_ = std::move(block); }
    void SetData(std::vector<uint8_t> data) { data_ = std::move(data); }
    // PCM format of the given layout (block align and byte rate derived).
    void SetPCMFormat(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample);
    void Clear();
    // No sample data.
    bool Empty() const { return data_.empty(); }

private:
    std::vector<uint8_t> format_;
    std::vector<uint8_t> data_;
};

}  // namespace skyrend
