// media/DXWave.cpp — RIFF WAVE images: the chunk walk that finds the format
// block and the sample data, and writing an image back.

#include "media/DXWave.h"

#include <algorithm>
#include <cstring>

#include "media/ByteOrder.h"
#include "media/ComponentStream.h"
#include "media/Errors.h"

namespace skyrend {
namespace {


void PutId(std::vector<uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

}  // namespace

TWaveFormat ParseWaveFormat(const std::vector<uint8_t>& block) {
    uint8_t record[WaveFormatRecordSize] = {};
    if (!block.empty()) std::memcpy(record, block.data(), std::min(block.size(), sizeof record));
    TWaveFormat format;
    format.FormatTag = static_cast<uint16_t>(record[0] | (record[1] << 8));
    format.Channels = static_cast<uint16_t>(record[2] | (record[3] << 8));
    format.SamplesPerSec = GetLE32(record + 4);
    format.AvgBytesPerSec = GetLE32(record + 8);
    format.BlockAlign = static_cast<uint16_t>(record[12] | (record[13] << 8));
    format.BitsPerSample = static_cast<uint16_t>(record[14] | (record[15] << 8));
    return format;
}

std::vector<uint8_t> MakeWaveFormat(const TWaveFormat& format) {
    std::vector<uint8_t> block;
    AppendLE16(block, format.FormatTag);
    AppendLE16(block, format.Channels);
    AppendLE32(block, format.SamplesPerSec);
    AppendLE32(block, format.AvgBytesPerSec);
    AppendLE16(block, format.BlockAlign);
    AppendLE16(block, format.BitsPerSample);
    return block;
}

// ---------------------------------------------------------------- reader

void TRIFFWaveReader::CheckOpened() const {
    if (!opened_) throw EWaveStreamError("Stream not opened");
}

void TRIFFWaveReader::Open() {
    if (opened_) throw EWaveStreamError("Stream is already open");
    uint8_t header[12] = {};
    if (stream_.Read(header, 12) != 12 || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        throw EWaveStreamError("Wave is invalid");
    format_.clear();
    dataStart_ = dataSize_ = dataRead_ = 0;
    for (;;) {
        uint8_t chunk[8] = {};
        stream_.Read(chunk, 8);
        if (GetLE32(chunk) == 0) break;
        const uint32_t size = GetLE32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size > stream_.Remaining()) throw EReadError("Stream-Lesefehler");
            format_.assign(size, 0);
            stream_.ReadBuffer(format_.data(), format_.size());
        } else {
            if (std::memcmp(chunk, "data", 4) == 0) {
                dataStart_ = stream_.Position();
                dataSize_ = size;
            }
            stream_.SetPosition(std::min(stream_.Position() + int64_t{size}, stream_.Size()));
        }
    }
    // The data chunk may claim more than the image holds.
    dataSize_ = std::clamp<int64_t>(stream_.Size() - dataStart_, 0, dataSize_);
    opened_ = true;
}

const std::vector<uint8_t>& TRIFFWaveReader::FormatBlock() const {
    CheckOpened();
    return format_;
}

int64_t TRIFFWaveReader::DataSize() const {
    CheckOpened();
    return dataSize_;
}

size_t TRIFFWaveReader::Read(void* buffer, size_t count) {
    CheckOpened();
    const int64_t left = dataSize_ - dataRead_;
    const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), left));
    if (n == 0) return 0;
    stream_.SetPosition(dataStart_ + dataRead_);
    const size_t got = stream_.Read(buffer, n);
    dataRead_ += static_cast<int64_t>(got);
    return got;
}

// ---------------------------------------------------------------- TWave

bool TWave::ReadProperty(const std::string& name, TReader& reader) {
    if (!SameText(name, "WAVE")) return false;
    LoadFromBytes(reader.ReadBinary());
    return true;
}

void TWave::WriteProperties(TWriter& writer) const { writer.WriteBinaryProperty("WAVE", RiffImage()); }

void TWave::LoadFromStream(TStream& stream) {
    Clear();
    TRIFFWaveReader reader(stream);
    reader.Open();
    std::vector<uint8_t> data(static_cast<size_t>(reader.DataSize()));
    data.resize(reader.Read(data.data(), data.size()));
    format_ = reader.FormatBlock();
    data_ = std::move(data);
}

void TWave::LoadFromBytes(const std::vector<uint8_t>& riff) {
    TBytesView view(riff.data(), riff.size());
    LoadFromStream(view);
}

std::vector<uint8_t> TWave::RiffImage() const {
    std::vector<uint8_t> out;
    out.reserve(20 + format_.size() + 8 + data_.size());
    PutId(out, "RIFF");
    AppendLE32(out, static_cast<uint32_t>(4 + 8 + format_.size() + 8 + data_.size()));
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    AppendLE32(out, static_cast<uint32_t>(format_.size()));
    out.insert(out.end(), format_.begin(), format_.end());
    PutId(out, "data");
    AppendLE32(out, static_cast<uint32_t>(data_.size()));
    out.insert(out.end(), data_.begin(), data_.end());
    return out;
}

void TWave::SaveToStream(TStream& stream) const {
    const std::vector<uint8_t> image = RiffImage();
    stream.WriteBuffer(image.data(), image.size());
}

void TWave::SetPCMFormat(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample) {
    TWaveFormat format;
    format.FormatTag = WAVE_FORMAT_PCM;
    format.Channels = channels;
    format.SamplesPerSec = samplesPerSec;
    format.BlockAlign = static_cast<uint16_t>(channels * ((bitsPerSample + 7) / 8));
    format.AvgBytesPerSec = samplesPerSec * format.BlockAlign;
    format.BitsPerSample = bitsPerSample;
    format_ = MakeWaveFormat(format);
}

void TWave::Clear() {
    format_.clear();
    data_.clear();
}

}  // namespace skyrend
