#pragma once
// Sound files as the tool reads them: any file libsndfile reads, the first
// channel, converted to the engine's 8000 Hz.
#include <functional>
#include <string>
#include <vector>

namespace psktool {

// Calls `sink` with the file's samples at 8000 Hz, block by block, until
// the end or until `sink` answers false ("cannot write the decoded text").
// Answers "" or what went wrong.
std::string readAudioFile(const std::string& path, const std::function<bool(const std::vector<float>&)>& sink);

}  // namespace psktool
