#include "playback/DeviceTypes.h"

#include <gtest/gtest.h>

TEST(DeviceTypeFor, EveryExtensionOfTheTableMapsToItsDevice) {
    const std::pair<const char*, const char*> expected[] = {
        {".avi", "avivideo"},   {".cda", "CDAudio"},    {".mid", "Sequencer"},  {".rmi", "Sequencer"},
        {".wav", "WaveAudio"},  {".aif", "MPEGVideo"},  {".aifc", "MPEGVideo"}, {".aiff", "MPEGVideo"},
        {".asf", "MPEGVideo2"}, {".asx", "MPEGVideo2"}, {".au", "MPEGVideo"},   {".ivf", "MPEGVideo2"},
        {".m1v", "MPEGVideo"},  {".mp2", "MPEGVideo"},  {".mp2v", "MPEGVideo"}, {".mp3", "MPEGVideo2"},
        {".mpa", "MPEGVideo"},  {".mpe", "MPEGVideo"},  {".mpeg", "MPEGVideo"}, {".mpg", "MPEGVideo"},
        {".mpv2", "MPEGVideo"}, {".snd", "MPEGVideo"},  {".wax", "MPEGVideo2"}, {".wm", "MPEGVideo2"},
        {".wma", "MPEGVideo2"}, {".wmp", "MPEGVideo2"}, {".wmv", "MPEGVideo2"}, {".wmx", "MPEGVideo2"},
        {".wvx", "MPEGVideo2"}, {".flac", "MPEGVideo"}, {".m4a", "MPEGVideo"},  {".aac", "MPEGVideo"},
        {".ogg", "MPEGVideo"},  {".oga", "MPEGVideo"},  {".opus", "MPEGVideo"},
    };
    for (const auto& [extension, device] : expected) {
        EXPECT_EQ(DeviceTypeFor(extension), device) << extension;
    }
}

TEST(DeviceTypeFor, IgnoresLetterCase) {
    EXPECT_EQ(DeviceTypeFor(".MP3"), "MPEGVideo2");
    EXPECT_EQ(DeviceTypeFor(".Mp3"), "MPEGVideo2");
    EXPECT_EQ(DeviceTypeFor(".WAV"), "WaveAudio");
    EXPECT_EQ(DeviceTypeFor(".MID"), "Sequencer");
    EXPECT_EQ(DeviceTypeFor(".Wav"), "WaveAudio");
    EXPECT_EQ(DeviceTypeFor(".FLAC"), "MPEGVideo");
    EXPECT_EQ(DeviceTypeFor(".Opus"), "MPEGVideo");
}

TEST(DeviceTypeFor, OnlyTheWholeTextMatches) {
    for (const char* other :
         {"", ".", ".mp3 ", ".mp", ".mp3x", "mp3", ".old\\song", ".txt", ".og", ".flac2", ".mid2", ".opus.part", ".m3u",
          ".m3u8", ".pls", ".ppl", "\x82\xa0.mp3", ".\x82\x6d\x82\x70\x82\x52"}) {
        EXPECT_EQ(DeviceTypeFor(other), "") << other;
    }
}
