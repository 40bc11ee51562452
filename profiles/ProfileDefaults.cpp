#include "profiles/ProfileDefaults.h"

#include <algorithm>
#include <filesystem>

#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

namespace profiles {

namespace {

// One row per profile, by catalogue key. Columns: key, name extension,
// Video_FileExt, video codec, video tag, frame size, frame rate, aspect,
// video bitrate, audio codec, channels, sample rate, audio bitrate, target,
// norm, audio-only. The odd rows are kept as the profiles have always
// produced them: 206 names ".ra" files with Video_FileExt ".rm"; the targets
// (111 to 113, 1408 to 1410), 114 and the flash audio rows leave
// Video_FileExt empty; 408 asks for 7680000 bit/s; 901, 906 and 909 write
// another extension than their names show. The Android rows (2000 to 2013)
// repeat the 3GP rows (700 to 713).
const TProfileDefaults DefaultsTable[] = {
    { 100, ".avi",  ".avi",  "mpeg4",             "XVID",  "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    { 101, ".mp4",  ".mp4",  "mpeg4",             "",      "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    { 102, ".avi",  ".avi",  "mpeg4",             "DX50",  "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    { 103, ".mov",  ".mov",  "",                  "",      "",          "25",     "",        816000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    { 104, ".avi",  ".avi",  "libxvid",           "",      "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    { 105, ".mkv",  ".mkv",  "mpeg4",             "",      "",          "25",     "",       1200000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    { 106, ".mpg",  ".mpg",  "mpeg1video",        "",      "",          "25",     "",        528000, "",                   "2",  "44100",   128000, "",      "",     false},
    { 107, ".mpg",  ".mpg",  "mpeg2video",        "",      "",          "25",     "",        816000, "",                   "2",  "44100",   128000, "",      "",     false},
    { 108, ".asf",  ".asf",  "msmpeg4",           "",      "",          "25",     "",        816000, "wmav2",              "2",  "44100",   128000, "",      "",     false},
    { 109, ".3gp",  ".3gp",  "mpeg4",             "",      "176*144",   "12",     "4:3",     128000, "libfaac",            "1",  "8000",     12000, "",      "",     false},
    { 110, ".wmv",  ".wmv",  "wmv2",              "",      "",          "25",     "",        816000, "wmav2",              "2",  "44100",   128000, "",      "",     false},
    { 111, ".mpg",  "",      "",                  "",      "",          "",       "",         -1000, "",                   "",   "",         -1000, "dvd",   "PAL",  false},
    { 112, ".mpg",  "",      "",                  "",      "",          "",       "",         -1000, "",                   "",   "",         -1000, "svcd",  "PAL",  false},
    { 113, ".mpg",  "",      "",                  "",      "",          "",       "",         -1000, "",                   "",   "",         -1000, "vcd",   "PAL",  false},
    { 114, ".rm",   "",      "rv20",              "",      "320*240",   "",       "",            -1, "",                   "",   "",            -1, "",      "",     false},
    { 200, ".mp3",  ".mp3",  "",                  "",      "",          "",       "",            -1, "libmp3lame",         "2",  "48000",   128000, "",      "",     true},
    { 201, ".wma",  ".wma",  "",                  "",      "",          "",       "",            -1, "wmav2",              "2",  "48000",   128000, "",      "",     true},
    { 202, ".wav",  ".wav",  "",                  "",      "",          "",       "",            -1, "",                   "2",  "48000",   128000, "",      "",     true},
    { 203, ".aac",  ".aac",  "",                  "",      "",          "",       "",            -1, "libfaac",            "2",  "48000",   128000, "",      "",     true},
    { 204, ".m4a",  ".m4a",  "",                  "",      "",          "",       "",            -1, "",                   "2",  "48000",   128000, "",      "",     true},
    { 205, ".ogg",  ".ogg",  "",                  "",      "",          "",       "",            -1, "libvorbis",          "2",  "48000",   128000, "",      "",     true},
    { 206, ".ra",   ".rm",   "",                  "",      "",          "",       "",            -1, "",                   "2",  "48000",   128000, "",      "",     true},
    { 207, ".ac3",  ".ac3",  "",                  "",      "",          "",       "",            -1, "ac3",                "2",  "48000",   128000, "",      "",     true},
    { 208, ".aiff", ".aiff", "",                  "",      "",          "",       "",            -1, "",                   "2",  "48000",   128000, "",      "",     true},
    { 209, ".mp2",  ".mp2",  "",                  "",      "",          "",       "",            -1, "",                   "2",  "44100",   128000, "",      "",     true},
    { 210, ".flac", ".flac", "",                  "",      "",          "",       "",            -1, "flac",               "2",  "48000",   128000, "",      "",     true},
    { 211, ".m4a",  ".m4a",  "",                  "",      "",          "",       "",            -1, "",                   "2",  "48000",   128000, "",      "",     true},
    { 212, ".amr",  ".amr",  "",                  "",      "",          "",       "",            -1, "libopencore_amrnb",  "1",  "8000",      7400, "",      "",     true},
    { 400, ".mp4",  ".mp4",  "libx264",           "",      "320*240",   "25",     "",        512000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 401, ".mp4",  ".mp4",  "libxvid",           "",      "320*240",   "25",     "",        768000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 402, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "",        768000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 403, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "",        768000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 404, ".mp4",  ".mp4",  "mpeg4",             "",      "640*480",   "25",     "",        600000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 405, ".mp4",  ".mp4",  "libx264",           "",      "640*480",   "25",     "",       1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 406, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "",        512000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 407, ".mp4",  ".mp4",  "mpeg4",             "",      "320*240",   "25",     "",        600000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 408, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "",       7680000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 409, ".mp4",  ".mp4",  "libx264",           "",      "640*480",   "25",     "",       1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 410, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "",        512000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 411, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "16:9",   1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 412, ".mp4",  ".mp4",  "libxvid",           "",      "320*240",   "25",     "",        768000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 413, ".mp4",  ".mp4",  "libxvid",           "",      "480*320",   "25",     "",       1000000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 500, ".mp4",  ".mp4",  "mpeg4",             "",      "320*240",   "25",     "",        600000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 501, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "",       1000000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 502, ".mp4",  ".mp4",  "mpeg4",             "",      "640*480",   "25",     "16:9",    600000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 503, ".mp4",  ".mp4",  "libx264",           "",      "320*240",   "25",     "",       1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 504, ".mp4",  ".mp4",  "mpeg4",             "",      "320*240",   "25",     "",        600000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 505, ".mp4",  ".mp4",  "mpeg4",             "",      "480*320",   "25",     "",        768000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 600, ".mp4",  ".mp4",  "mpeg4",             "",      "320*240",   "29.97",  "",        600000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 601, ".mp4",  ".mp4",  "libx264",           "",      "320*240",   "29.97",  "",        768000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 602, ".mp4",  ".mp4",  "libx264",           "",      "320*240",   "29.97",  "",       1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 603, ".mp4",  ".mp4",  "libxvid",           "",      "320*240",   "29.97",  "",        384000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 604, ".mp4",  ".mp4",  "libx264",           "",      "640*480",   "29.97",  "",       1000000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 700, ".3gp",  ".3gp",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libopencore_amrnb",  "1",  "8000",     10200, "",      "",     false},
    { 701, ".3gp",  ".3gp",  "h263",              "",      "176*144",   "12",     "",        128000, "libfaac",            "2",  "16000",    48000, "",      "",     false},
    { 702, ".3g2",  ".3g2",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libopencore_amrnb",  "1",  "8000",     10200, "",      "",     false},
    { 703, ".3g2",  ".3g2",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libfaac",            "2",  "32000",    48000, "",      "",     false},
    { 704, ".3gp",  ".3gp",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libopencore_amrnb",  "1",  "8000",     10200, "",      "",     false},
    { 705, ".3gp",  ".3gp",  "mpeg4",             "",      "320*240",   "15",     "",        128000, "libfaac",            "2",  "16000",    32000, "",      "",     false},
    { 706, ".avi",  ".avi",  "h263",              "",      "352*288",   "15",     "",        256000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    { 707, ".mp4",  ".mp4",  "mpeg4",             "",      "352*288",   "15",     "",        128000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    { 708, ".amr",  ".amr",  "",                  "",      "",          "",       "",            -1, "libopencore_amrnb",  "1",  "8000",      7400, "",      "",     true},
    { 709, ".mp4",  ".mp4",  "mpeg4",             "",      "352*288",   "15",     "",        160000, "libfaac",            "2",  "44100",    64000, "",      "",     false},
    { 710, ".mp4",  ".mp4",  "mpeg4",             "",      "352*288",   "12",     "",        128000, "libfaac",            "2",  "32000",    32000, "",      "",     false},
    { 711, ".avi",  ".avi",  "mpeg4",             "DX50",  "320*240",   "25",     "",        256000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    { 712, ".mov",  ".mov",  "",                  "",      "320*240",   "25",     "",        256000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    { 713, ".mp4",  ".mp4",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libfaac",            "2",  "32000",    32000, "",      "",     false},
    { 800, ".mp4",  ".mp4",  "libx264",           "",      "320*240",   "25",     "",        768000, "libfaac",            "2",  "48000",   192000, "",      "",     false},
    { 801, ".mp4",  ".mp4",  "libx264",           "",      "640*480",   "25",     "",       1000000, "libfaac",            "2",  "48000",   192000, "",      "",     false},
    { 802, ".mp4",  ".mp4",  "libx264",           "",      "1280*720",  "25",     "",       1000000, "libfaac",            "2",  "48000",   192000, "",      "",     false},
    { 803, ".mp4",  ".mp4",  "mpeg4",             "",      "640*480",   "25",     "",       1200000, "libfaac",            "2",  "48000",   192000, "",      "",     false},
    { 804, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "25",     "",        600000, "libfaac",            "2",  "48000",   192000, "",      "",     false},
    { 900, ".mp4",  ".mp4",  "libx264",           "",      "640*480",   "29.97",  "",       1200000, "libfaac",            "2",  "48000",   192000, "",      "",     false},
    { 901, ".mpeg", ".mpeg", "mpeg2video",        "",      "1280*720",  "25",     "",       1200000, "ac3",                "2",  "48000",   192000, "",      "",     false},
    { 902, ".mpg",  ".mpg",  "mpeg2video",        "",      "1280*720",  "25",     "",       1200000, "ac3",                "2",  "48000",   192000, "",      "",     false},
    { 903, ".mp4",  ".mp4",  "mpeg4",             "",      "640*480",   "25",     "",       1200000, "libmp3lame",         "2",  "48000",   192000, "",      "",     false},
    { 904, ".mp4",  ".mp4",  "mpeg4",             "",      "1280*720",  "25",     "",       1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    { 905, ".wmv",  ".wmv",  "wmv2",              "",      "640*480",   "25",     "",       1200000, "wmav2",              "2",  "48000",   128000, "",      "",     false},
    { 906, ".avi",  ".avi",  "wmv2",              "",      "1280*720",  "25",     "",       1200000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    { 907, ".avi",  ".avi",  "msmpeg4v2",         "",      "1280*720",  "25",     "",       1200000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    { 908, ".avi",  ".avi",  "msmpeg4",           "",      "1280*720",  "25",     "",       1200000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    { 909, ".mp4",  ".mp4",  "mpeg4",             "",      "1280*720",  "25",     "",       1200000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    {1000, ".avi",  ".avi",  "mpeg4",             "",      "480*272",   "25",     "",       1000000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    {1001, ".avi",  ".avi",  "mpeg4",             "",      "720*480",   "25",     "",       1000000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    {1002, ".avi",  ".avi",  "mpeg4",             "",      "320*240",   "25",     "",        768000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1003, ".mp4",  ".mp4",  "mpeg4",             "",      "320*240",   "25",     "",        512000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    {1004, ".mp4",  ".mp4",  "libx264",           "",      "320*240",   "25",     "",        768000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    {1005, ".mp4",  ".mp4",  "libxvid",           "",      "320*240",   "25",     "",        768000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    {1006, ".wmv",  ".wmv",  "wmv2",              "",      "320*240",   "25",     "",       1000000, "wmav2",              "2",  "44100",   128000, "",      "",     false},
    {1007, ".avi",  ".avi",  "mpeg4",             "",      "640*480",   "25",     "",       1000000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1100, ".mp4",  ".mp4",  "mpeg4",             "",      "320*240",   "25",     "",        528000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1101, ".mp4",  ".mp4",  "mpeg4",             "",      "",          "25",     "",        768000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1102, ".mp4",  ".mp4",  "libx264",           "",      "",          "25",     "",       1200000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1103, ".mp4",  ".mp4",  "libx264",           "",      "320*240",   "25",     "",       1200000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    {1104, ".mp4",  ".mp4",  "libx264",           "",      "",          "25",     "",       1200000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1300, ".mp4",  ".mp4",  "mpeg4",             "",      "640*480",   "30",     "",       1200000, "libfaac",            "2",  "32000",   128000, "",      "",     false},
    {1301, ".mp4",  ".mp4",  "libx264",           "",      "720*576",   "30",     "",       1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    {1302, ".mp4",  ".mp4",  "libxvid",           "",      "640*480",   "30",     "",       1200000, "libfaac",            "2",  "24000",   128000, "",      "",     false},
    {1303, ".mp4",  ".mp4",  "libx264",           "",      "720*576",   "30",     "",       1200000, "libfaac",            "2",  "48000",   128000, "",      "",     false},
    {1304, ".mp4",  ".mp4",  "mpeg4",             "",      "640*480",   "25",     "",       1200000, "libfaac",            "2",  "24000",   128000, "",      "",     false},
    {1305, ".mp4",  ".mp4",  "mpeg4",             "",      "640*480",   "25",     "",       1200000, "libfaac",            "2",  "24000",   128000, "",      "",     false},
    {1400, ".mpg",  ".mpg",  "mpeg1video",        "",      "",          "25",     "",        528000, "",                   "2",  "44100",   128000, "",      "",     false},
    {1401, ".mpg",  ".mpg",  "mpeg1video",        "",      "",          "25",     "",        528000, "",                   "2",  "44100",   128000, "",      "",     false},
    {1402, ".mpg",  ".mpg",  "mpeg2video",        "",      "",          "25",     "",        816000, "",                   "2",  "44100",   128000, "",      "",     false},
    {1403, ".mp4",  ".mp4",  "mpeg4",             "",      "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1404, ".mpg",  ".mpg",  "mpeg2video",        "",      "1280*720",  "25",     "",       1600000, "mp2",                "2",  "48000",   128000, "",      "",     false},
    {1405, ".mp4",  ".mp4",  "mpeg4",             "",      "1280*720",  "25",     "",       1600000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    {1406, ".mpg",  ".mpg",  "mpeg2video",        "",      "",          "25",     "",        816000, "",                   "2",  "44100",   128000, "",      "",     false},
    {1407, ".mpg",  ".mpg",  "mpeg2video",        "",      "",          "25",     "",        816000, "",                   "2",  "44100",   128000, "",      "",     false},
    {1408, ".mpg",  "",      "",                  "",      "",          "",       "",         -1000, "",                   "",   "",         -1000, "dvd",   "PAL",  false},
    {1409, ".mpg",  "",      "",                  "",      "",          "",       "",         -1000, "",                   "",   "",         -1000, "svcd",  "PAL",  false},
    {1410, ".mpg",  "",      "",                  "",      "",          "",       "",         -1000, "",                   "",   "",         -1000, "vcd",   "PAL",  false},
    {1500, ".swf",  ".swf",  "",                  "",      "",          "25",     "",        528000, "libmp3lame",         "2",  "22050",   128000, "",      "",     false},
    {1501, ".swf",  ".swf",  "",                  "",      "",          "25",     "",        528000, "libmp3lame",         "2",  "22050",   128000, "",      "",     false},
    {1502, ".swf",  ".swf",  "",                  "",      "",          "25",     "",        528000, "libmp3lame",         "2",  "22050",   128000, "",      "",     false},
    {1503, ".swf",  ".swf",  "",                  "",      "",          "25",     "",        528000, "libmp3lame",         "2",  "22050",   128000, "",      "",     false},
    {1504, ".flv",  ".flv",  "",                  "",      "",          "25",     "",       1200000, "libmp3lame",         "2",  "22050",   128000, "",      "",     false},
    {1505, ".swf",  "",      "",                  "",      "",          "",       "",            -1, "libmp3lame",         "2",  "22050",   128000, "",      "",     true},
    {1506, ".flv",  "",      "",                  "",      "",          "",       "",            -1, "libmp3lame",         "2",  "22050",   128000, "",      "",     true},
    {1600, ".avi",  ".avi",  "mpeg4",             "DX50",  "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1601, ".avi",  ".avi",  "libx264",           "",      "1280*720",  "25",     "",       1600000, "libmp3lame",         "2",  "48000",   256000, "",      "",     false},
    {1602, ".avi",  ".avi",  "mpeg4",             "XVID",  "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1603, ".avi",  ".avi",  "libxvid",           "",      "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1604, ".avi",  ".avi",  "mpeg4",             "DX50",  "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1605, ".avi",  ".avi",  "mpeg4",             "XVID",  "",          "25",     "",        816000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {1606, ".avi",  ".avi",  "libxvid",           "",      "1280*720",  "25",     "",       1600000, "libmp3lame",         "2",  "48000",   128000, "",      "",     false},
    {2000, ".3gp",  ".3gp",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libopencore_amrnb",  "1",  "8000",     10200, "",      "",     false},
    {2001, ".3gp",  ".3gp",  "h263",              "",      "176*144",   "12",     "",        128000, "libfaac",            "2",  "16000",    48000, "",      "",     false},
    {2002, ".3g2",  ".3g2",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libopencore_amrnb",  "1",  "8000",     10200, "",      "",     false},
    {2003, ".3g2",  ".3g2",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libfaac",            "2",  "32000",    48000, "",      "",     false},
    {2004, ".3gp",  ".3gp",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libopencore_amrnb",  "1",  "8000",     10200, "",      "",     false},
    {2005, ".3gp",  ".3gp",  "mpeg4",             "",      "320*240",   "15",     "",        128000, "libfaac",            "2",  "16000",    32000, "",      "",     false},
    {2006, ".avi",  ".avi",  "h263",              "",      "352*288",   "15",     "",        256000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {2007, ".mp4",  ".mp4",  "mpeg4",             "",      "352*288",   "15",     "",        128000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    {2008, ".amr",  ".amr",  "",                  "",      "",          "",       "",            -1, "libopencore_amrnb",  "1",  "8000",      7400, "",      "",     true},
    {2009, ".mp4",  ".mp4",  "mpeg4",             "",      "352*288",   "15",     "",        160000, "libfaac",            "2",  "44100",    64000, "",      "",     false},
    {2010, ".mp4",  ".mp4",  "mpeg4",             "",      "352*288",   "12",     "",        128000, "libfaac",            "2",  "32000",    32000, "",      "",     false},
    {2011, ".avi",  ".avi",  "mpeg4",             "DX50",  "320*240",   "25",     "",        256000, "libmp3lame",         "2",  "44100",   128000, "",      "",     false},
    {2012, ".mov",  ".mov",  "",                  "",      "320*240",   "25",     "",        256000, "libfaac",            "2",  "44100",   128000, "",      "",     false},
    {2013, ".mp4",  ".mp4",  "mpeg4",             "",      "176*144",   "12",     "",        128000, "libfaac",            "2",  "32000",    32000, "",      "",     false},
};

bool IsSameFile(const std::string& AName, const std::string& AOther)
{
    std::error_code error;
    return std::filesystem::equivalent(AName, AOther, error);
}

// Whether a name may be written. The input itself never may: converting a
// file into its own folder and format with overwriting on would destroy the
// source while it is being read.
bool IsFree(const std::string& AName, const std::string& AInputFile, const TOutputNaming& ANaming)
{
    if (IsSameFile(AName, AInputFile))
        return false;
    // Two rows never write one file, even when files on disk may be
    // overwritten.
    if (ANaming.Taken && ANaming.Taken->count(OutputPathKey(AName)) != 0)
        return false;
    return ANaming.Overwrite || !platform::FileExists(AName);
}

std::string InFolder(const std::string& AFolder, const std::string& AName)
{
    return platform::IncludeTrailingPathDelimiter(AFolder) + AName;
}

} // namespace

std::string OutputPathKey(const std::string& APath)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(APath, error);
    if (error)
        return APath;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return (error ? path.lexically_normal() : resolved).string();
}

void ApplyProfileValues(TOutputFields& AFields, const TProfileDefaults& ARow)
{
    AFields.Video_FileExt = ARow.FileExt;
    AFields.Video_VideoCodec = ARow.VideoCodec;
    AFields.Video_VideoTag = ARow.VideoTag;
    AFields.Video_FrameSize = ARow.FrameSize;
    AFields.Video_FrameRate = ARow.FrameRate;
    AFields.Video_FrameAspectRatio = ARow.FrameAspectRatio;
    AFields.Video_VideoBitrate = ARow.VideoBitrate;
    AFields.Video_AudioCodec = ARow.AudioCodec;
    AFields.Video_AudioChannels = ARow.AudioChannels;
    AFields.Video_AudioSampleRate = ARow.AudioSampleRate;
    AFields.Video_AudioBitrate = ARow.AudioBitrate;
    AFields.Video_TargetType = ARow.TargetType;
    AFields.Video_NormType = ARow.NormType;
    AFields.Video_DisableVideo = ARow.DisableVideo;
}

const TProfileDefaults* FindProfileDefaults(int AKey)
{
    const auto row = std::lower_bound(std::begin(DefaultsTable), std::end(DefaultsTable), AKey,
                                      [](const TProfileDefaults& ARow, int AValue) { return ARow.Key < AValue; });
    return row != std::end(DefaultsTable) && row->Key == AKey ? row : nullptr;
}

std::span<const TProfileDefaults> AllProfileDefaults()
{
    return DefaultsTable;
}

std::string FreeOutputFileName(const std::string& AName, const std::string& AInputFile, const TOutputNaming& ANaming)
{
    if (ANaming.Folder.empty())
        throw EProfileError("No output folder is chosen for \"" + AInputFile + "\".");
    const std::string ext = platform::ExtractFileExt(AName);
    const std::string base = InFolder(ANaming.Folder, AName.substr(0, AName.size() - ext.size()));
    std::string result = base + ext;
    // Unbounded like the user's folder: some number is always free.
    for (int64_t n = 1; !IsFree(result, AInputFile, ANaming); ++n)
        result = base + "_" + platform::IntToStr(n) + ext;
    return result;
}

std::string MakeOutputFileName(const std::string& AInputFile, const std::string& AExt, const TOutputNaming& ANaming)
{
    return FreeOutputFileName(platform::ChangeFileExt(platform::ExtractFileName(AInputFile), AExt), AInputFile,
                              ANaming);
}

void ApplyProfileDefaults(TOutputFields& AFields, int AKey, const TOutputNaming& ANaming)
{
    // A key without a row would leave every field reset and the output
    // name a bare folder; refuse it before anything changes.
    const TProfileDefaults* row = FindProfileDefaults(AKey);
    if (!row)
        throw EProfileError(platform::Format("Output profile %d is not in the catalogue.", AKey));
    std::string outputName = MakeOutputFileName(AFields.Video_AddFileName, row->Ext, ANaming);
    ResetOutputFields(AFields);
    AFields.All_Trant_Number = AKey;
    ApplyProfileValues(AFields, *row);
    AFields.Video_OutPutFileName = std::move(outputName);
}

} // namespace profiles
