// Pictures as PNG files, small: a palette where the picture has 256 colours or fewer.
#pragma once

#include <string>

#include "picture.h"

// Throws if the file cannot be written.
void WritePng(const std::string& path, const Picture& picture);

// Throws if the file is missing or not a PNG.
Picture ReadPng(const std::string& path);
