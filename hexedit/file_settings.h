// THexEditFileSettings: the view settings and bookmarks of each file the
// hex editor opened, kept between runs in a small settings file (by default
// zn4417hex/files.ini under the user's configuration folder). A file's entry
// holds the view's settings text and bookmark text; the entries used least
// recently are dropped beyond kMaxFiles.
#pragma once

#include <string>

class THexViewEx;

class THexEditFileSettings {
 public:
  static constexpr int kMaxFiles = 100;

  explicit THexEditFileSettings(std::string settingsFile);
  // <configuration folder>/zn4417hex/files.ini
  static std::string DefaultFile();
  const std::string& File() const { return file_; }

  // Stores the view's settings and bookmarks under the file's full path.
  void Remember(THexViewEx& view, const std::string& fileName);
  // Gives the view what was stored for the file; false when nothing was.
  // A stored text the view refuses is dropped; the view then keeps what it
  // could take.
  bool Recall(THexViewEx& view, const std::string& fileName);

 private:
  std::string file_;
};
