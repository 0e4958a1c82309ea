// Loads the desktop snapshot into the scene's texture, reporting broken files
// to the user through the platform's message box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "bitmap_decoder.h"

// A read-only view of a whole file, released when destroyed.
struct MappedFile {
  virtual ~MappedFile();
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// What the loader needs of the platform.
class LoaderPlatform {
 public:
  virtual ~LoaderPlatform();
  // Whether the file exists and can be opened for reading.
  virtual bool CanOpenForReading(const std::string& path) = 0;
  // nullptr when the file cannot be opened or mapped (an empty file included).
  virtual std::unique_ptr<MappedFile> MapWholeFile(const std::string& path) = 0;
  // A modal box captioned "Error" with one OK button; returns when dismissed.
  virtual void ShowErrorBox(const std::string& text) = 0;
};

// The loader's messages, byte for byte.
std::string FailedToOpenMessage(const std::string& path);  // "Failed to open DIB file <path>.\n"
inline constexpr const char* kOutOfMemoryMessage = "Out of memory.";
inline constexpr const char* kUnknownFormatMessage = "Unknown DIB file format.";
inline constexpr const char* kConversionErrorMessage = "Image file conversion error.";

// None, silently, when the path is empty or the file cannot be opened.
std::optional<ImageData> LoadSnapshotImage(LoaderPlatform& platform, const std::string& path);
// None after showing the matching message when the file cannot be read.
std::optional<ImageData> LoadBitmapImage(LoaderPlatform& platform, const std::string& path);

// Texture names of the scene; entry 0 receives the snapshot and stays 0 when
// it cannot be loaded (the sheets are then plain white).
extern uint32_t SceneTextures[1];

// Loads the snapshot from qg::SnapshotFilePath() into SceneTextures[0].
// Needs a current GL context. Always true.
bool LoadTextures(LoaderPlatform& platform);
// The same for a given path (tests and benchmarks).
bool LoadTexturesFrom(LoaderPlatform& platform, const std::string& path);
