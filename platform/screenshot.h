// screenshot.h -- saves the picture a present made visible, on request or when F12 is pressed
#pragma once

#include <cstdint>
#include <string>

// Writes 5.6.5 pixels as an uncompressed 24-bit BMP whose channels carry the pixel's own bits
// in their top bits. False with the reason in *error.
bool WriteScreenshot(const std::string &path, const uint16_t *pixels, int width, int height,
                     int pitch, std::string *error);
// Where F12 saves: $XDG_DATA_HOME/zaf/screenshots, or ~/.local/share/zaf/screenshots.
std::string ScreenshotFolder(void);
// Asks for the next present to be saved into ScreenshotFolder.
void RequestScreenshot(void);
// Called after every present with the picture it made visible; saves what was asked for it.
void NotePresent(const uint16_t *pixels, int width, int height, int pitch);
// Presents so far.
long PresentCount(void);
// After the run: says on stderr which asked-for screenshots were not saved; true when all were.
bool AllScreenshotsSaved(void);
