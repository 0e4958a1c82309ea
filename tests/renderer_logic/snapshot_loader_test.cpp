#include "snapshot_loader.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <map>

#include "bmp_writer.h"
#include "gl_recorder.h"
#include "snapshot_path.h"

namespace {

struct VectorFile : MappedFile {
  std::vector<uint8_t> bytes;
};

class FakeLoaderPlatform : public LoaderPlatform {
 public:
  std::map<std::string, std::vector<uint8_t>> files;
  std::vector<std::string> messages;
  std::vector<std::string> mapped;

  bool CanOpenForReading(const std::string& path) override { return files.count(path) != 0; }
  std::unique_ptr<MappedFile> MapWholeFile(const std::string& path) override {
    mapped.push_back(path);
    auto it = files.find(path);
    if (it == files.end() || it->second.empty()) return nullptr;  // as mmap refuses length 0
    auto f = std::make_unique<VectorFile>();
    f->bytes = it->second;
    f->data = f->bytes.data();
    f->size = f->bytes.size();
    return f;
  }
  void ShowErrorBox(const std::string& text) override { messages.push_back(text); }
};

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    glrec::Clear();
    SceneTextures[0] = 0;
  }
  void TearDown() override { SceneTextures[0] = 0; }
  FakeLoaderPlatform platform;
};

}  // namespace

TEST_F(LoaderTest, MessagesForEachFailure) {
  const std::string path = "/run/user/1000/kestrow/Wobblevista.bmp";
  struct Case {
    std::vector<uint8_t> bytes;
    std::string message;
  };
  std::vector<uint8_t> unknown = bmptest::Encode(bmptest::Gradient(4, 4), {});
  bmptest::PutU32(unknown, 14, 124);
  std::vector<uint8_t> lying = bmptest::Encode(bmptest::Gradient(4, 4), {});
  bmptest::PutU32(lying, 22, 100000);
  const Case cases[] = {
      {{}, "Failed to open DIB file " + path + ".\n"},
      {unknown, "Unknown DIB file format."},
      {lying, "Image file conversion error."},
  };
  for (const Case& c : cases) {
    platform.files[path] = c.bytes;
    platform.messages.clear();
    EXPECT_FALSE(LoadSnapshotImage(platform, path).has_value());
    EXPECT_EQ(platform.messages, std::vector<std::string>{c.message});
  }
}

TEST_F(LoaderTest, MissingOrUnnamedSnapshotIsSilent) {
  EXPECT_FALSE(LoadSnapshotImage(platform, "/nowhere/Wobblevista.bmp").has_value());
  EXPECT_FALSE(LoadSnapshotImage(platform, "").has_value());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.mapped.empty());
}

TEST_F(LoaderTest, GoodSnapshotBecomesTheTexture) {
  const bmptest::Picture pic = bmptest::Gradient(1023, 5);  // rows not a multiple of 4 bytes
  platform.files[qg::SnapshotFilePath()] = bmptest::Encode(pic, {});
  EXPECT_TRUE(LoadTextures(platform));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.mapped, std::vector<std::string>{qg::SnapshotFilePath()});
  EXPECT_EQ(SceneTextures[0], 1u);
  const auto binds = glrec::CallsNamed("glBindTexture");
  ASSERT_EQ(binds.size(), 1u);
  EXPECT_EQ(binds[0].args, (std::vector<double>{GL_TEXTURE_2D, 1}));
  // The chain is uploaded under a mipmapping filter (so the driver sizes the
  // texture once); the show then samples level 0 alone, linearly.
  std::vector<std::string> order;
  for (const auto& call : glrec::Recorded().calls)
    if (call.name == "glTexParameteri" || call.name == "gluBuild2DMipmaps") order.push_back(call.name);
  EXPECT_EQ(order, (std::vector<std::string>{"glTexParameteri", "glTexParameteri", "gluBuild2DMipmaps",
                                             "glTexParameteri"}));
  const auto params = glrec::CallsNamed("glTexParameteri");
  ASSERT_EQ(params.size(), 3u);
  EXPECT_EQ(params[0].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR}));
  EXPECT_EQ(params[1].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR}));
  EXPECT_EQ(params[2].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR}));
  ASSERT_EQ(glrec::Recorded().uploads.size(), 1u);
  const glrec::Upload& up = glrec::Recorded().uploads[0];
  EXPECT_EQ(up.components, 3);
  EXPECT_EQ(up.width, 1023);
  EXPECT_EQ(up.height, 5);
  EXPECT_EQ(up.format, unsigned(GL_RGB));
  EXPECT_EQ(up.type, unsigned(GL_UNSIGNED_BYTE));
  EXPECT_EQ(up.unpackAlignment, 1);
  EXPECT_EQ(up.bytes, pic.rgb);  // what GL reads is exactly the picture
  EXPECT_TRUE(glrec::Recorded().faults.empty());
}

TEST_F(LoaderTest, NoTextureWhenTheSnapshotFails) {
  platform.files[qg::SnapshotFilePath()] = {'B', 'M', 0, 0};
  EXPECT_TRUE(LoadTextures(platform));
  EXPECT_EQ(SceneTextures[0], 0u);
  EXPECT_TRUE(glrec::Recorded().calls.empty());
  EXPECT_EQ(platform.messages, std::vector<std::string>{"Image file conversion error."});
}
