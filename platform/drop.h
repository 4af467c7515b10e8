// What a drop onto a window carries.
#pragma once

#include <optional>
#include <string>

class QMimeData;

// The local path of the first file URL of a drop, if it carries one.
std::optional<std::string> FirstDroppedPath(const QMimeData& data);
