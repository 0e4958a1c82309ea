// The loader's file access over files held in memory, and its error boxes
// collected.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "snapshot_loader.h"

struct MemoryLoader : LoaderPlatform {
  std::map<std::string, std::vector<uint8_t>> files;
  std::vector<std::string> messages;
  struct File : MappedFile {
    std::vector<uint8_t> bytes;
  };
  bool CanOpenForReading(const std::string& path) override { return files.count(path) != 0; }
  std::unique_ptr<MappedFile> MapWholeFile(const std::string& path) override {
    if (files[path].empty()) return nullptr;  // as mmap refuses length 0
    auto f = std::make_unique<File>();
    f->bytes = files[path];
    f->data = f->bytes.data();
    f->size = f->bytes.size();
    return f;
  }
  void ShowErrorBox(const std::string& text) override { messages.push_back(text); }
};
