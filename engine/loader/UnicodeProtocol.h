#pragma once
// File names that the system code page cannot carry reach FFmpeg as
// "unicode:utf8:" URLs, which the engine opens itself and hands to FFmpeg as
// I/O contexts over the file. Every URL text belongs to its caller, so
// threads never share one.

#include "engine/base/FFHeaders.h"

#include <string>

namespace engine {

// True when the name is no URL of a protocol FFmpeg or the engine handles and
// some character of it does not survive the system code page.
bool NeedsUnicodeProtocol(const std::string& AFileName);
bool IsUnicodeURL(const std::string& AURL);
// The text to hand FFmpeg for a file name: a "unicode:utf8:" URL, or the
// name in the system code page.
std::string FileNameToURL(const std::string& AFileName);
void URLToFileName(const std::string& AURL, std::string& AFileName);
std::string URLToFileName(const std::string& AURL);

// Opens an I/O context for a URL: over the file itself for a unicode URL,
// else through FFmpeg's protocols. AFlags are AVIO_FLAG_*; writing replaces
// an existing file. A unicode file that cannot be opened answers
// AVERROR(ENOENT).
int OpenURL(AVIOContext** APb, const std::string& AURL, int AFlags);
// Closes what OpenURL opened and empties the pointer. 0, or the negative
// error code of a write that failed (on the last flush or before).
int CloseURL(AVIOContext** APb);

// avformat_open_input for a URL or a unicode URL; close with CloseInputURL.
int OpenInputURL(AVFormatContext** ACtx, const std::string& AURL, const AVInputFormat* AFormat,
                 AVDictionary** AOptions);
void CloseInputURL(AVFormatContext** ACtx);

} // namespace engine
