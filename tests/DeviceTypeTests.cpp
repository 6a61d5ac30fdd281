#include "playback/DeviceTypes.h"

#include <gtest/gtest.h>

TEST(DeviceTypeFor, EveryExtensionTheChooserOffersHasADevice) {
    // The media file chooser's filter is made of these: each must give an entry, and both ways of
    // asking must agree.
    for (const std::string_view extension : MediaExtensions()) {
        EXPECT_FALSE(DeviceTypeFor(extension).empty()) << extension;
        EXPECT_EQ(DeviceTypeFor(extension), DeviceTypeNameFor(extension)) << extension;
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
