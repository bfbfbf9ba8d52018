// tools/dxgtool/Commands.h — the tool's commands. Each returns the exit
// status; read errors throw and main reports them.

#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace skyrend::dxgtool {

// `.dxw` (any case) is a wave collection; everything else a picture collection.
bool IsWaveFile(const std::string& fileName);

// The header line and one line per item of each file, in turn.
void Info(const std::string& fileName, std::ostream& out);
// The item's whole picture as PNG, or for a wave collection its RIFF image.
void Export(const std::string& fileName, const std::string& index, const std::string& outName);
void Pack(const std::string& manifestName, const std::string& outName);
// Writes DIR/manifest.txt and one file per item.
void Unpack(const std::string& fileName, const std::string& dir);

}  // namespace skyrend::dxgtool
