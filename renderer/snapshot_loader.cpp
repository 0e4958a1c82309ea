#include "snapshot_loader.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "level0_uploads.h"
#include "snapshot_path.h"

MappedFile::~MappedFile() = default;
LoaderPlatform::~LoaderPlatform() = default;

uint32_t SceneTextures[1] = {0};

std::string FailedToOpenMessage(const std::string& path) {
  return "Failed to open DIB file " + path + ".\n";
}

std::optional<ImageData> LoadSnapshotImage(LoaderPlatform& platform, const std::string& path) {
  if (path.empty()) return std::nullopt;
  // A missing snapshot is normal (the show then runs with white sheets), so
  // it is not reported.
  if (!platform.CanOpenForReading(path)) return std::nullopt;
  return LoadBitmapImage(platform, path);
}

std::optional<ImageData> LoadBitmapImage(LoaderPlatform& platform, const std::string& path) {
  const std::unique_ptr<MappedFile> file = platform.MapWholeFile(path);
  if (!file || !file->data || file->size == 0) {
    platform.ShowErrorBox(FailedToOpenMessage(path));
    return std::nullopt;
  }
  DecodeResult decoded = DecodeBitmap(file->data, file->size);
  switch (decoded.status) {
    case DecodeStatus::Ok:
      return std::move(decoded.image);
    case DecodeStatus::UnknownFormat:
      platform.ShowErrorBox(kUnknownFormatMessage);
      break;
    case DecodeStatus::OutOfMemory:
      platform.ShowErrorBox(kOutOfMemoryMessage);
      break;
    case DecodeStatus::ConversionError:
      platform.ShowErrorBox(kConversionErrorMessage);
      break;
  }
  return std::nullopt;
}

bool LoadTexturesFrom(LoaderPlatform& platform, const std::string& path) {
  std::optional<ImageData> image = LoadSnapshotImage(platform, path);
  if (!image) return true;
  GLuint name = 0;
  glGenTextures(1, &name);
  SceneTextures[0] = name;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // With level 0 alone the plain filter lets the driver size the texture for
  // that level only. When GLU uploads the whole chain, a mipmapping filter
  // instead makes room for every level when level 0 arrives; with a plain one
  // Mesa would move the texture when level 1 comes, holding both for a moment.
  const bool level0Only = Level0Uploads::Available();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, level0Only ? GL_LINEAR : GL_LINEAR_MIPMAP_LINEAR);
  // The rows are packed, so any width comes out exact with byte alignment.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  {
    const int32_t width = image->width, height = image->height;
    const uint8_t* pixels = image->pixels.data();
    Level0Uploads uploads(pixels, image->pixels.size(), [&image] { image.reset(); });
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  // GL holds its own copy now: the decoded picture goes before the first frame.
  image.reset();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  return true;
}

bool LoadTextures(LoaderPlatform& platform) {
  return LoadTexturesFrom(platform, qg::SnapshotFilePath());
}
