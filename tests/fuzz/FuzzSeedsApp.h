#pragma once
// Seeds of the application's fuzz targets, made with the application's own
// writers: option.ini as start-up and the dialogs leave it, and editing
// sequences of the task list.

#include <functional>
#include <string>
#include <string_view>

namespace fuzz {

using TSeedWriter = std::function<void(const std::string& ATarget, const std::string& AName, std::string_view AContent)>;

void WriteAppSeeds(const TSeedWriter& ASeed);

} // namespace fuzz
