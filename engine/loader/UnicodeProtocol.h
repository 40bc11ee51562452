#pragma once
// File names as FFmpeg sees them, and the engine's own opening of files.
// A name the system code page cannot carry becomes a "unicode:utf8:" URL;
// either way the engine opens the file itself and hands FFmpeg an I/O
// context over it. Every URL text belongs to its caller, so threads never
// share one.

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

// The file road. Every name the program is given (by the user, a task row,
// option.ini or a preset) is a local file: no text of it ever reaches one of
// FFmpeg's protocols, so "http://h/a.mp3" or "pipe:1.mp3" is a file of that
// relative name in the current folder, and nothing goes over a network or
// to standard output.

// Opens the named file as an I/O context over the file itself. AFlags are
// AVIO_FLAG_*; writing creates or replaces the file. 0, or the system's
// error (AVERROR form); a folder answers AVERROR(EISDIR).
int OpenFileIO(AVIOContext** APb, const std::string& AFileName, int AFlags);
// An I/O context over a descriptor that is open already; it closes the
// descriptor when CloseURL closes it (not when this fails).
int OpenDescriptorIO(AVIOContext** APb, int AFd, bool AWrite);
// Files that the context opens by itself (the pieces of a playlist,
// numbered pictures) are local files too.
void KeepToLocalFiles(AVFormatContext* ACtx);

// OpenFileIO for the file a URL of FileNameToURL names. A unicode URL that
// names no file answers AVERROR(ENOENT).
int OpenURL(AVIOContext** APb, const std::string& AURL, int AFlags);
// Closes what OpenURL opened and empties the pointer. 0, or the negative
// error code of a write that failed (on the last flush or before).
int CloseURL(AVIOContext** APb);

// avformat_open_input over the file a URL of FileNameToURL names; the URL
// text is the context's name. Like avformat_open_input it frees a context
// the caller allocated when it fails. Close with CloseInputURL.
int OpenInputURL(AVFormatContext** ACtx, const std::string& AURL, const AVInputFormat* AFormat,
                 AVDictionary** AOptions);
void CloseInputURL(AVFormatContext** ACtx);

} // namespace engine
