// THexEditPreferences: what zn4417hex keeps between runs apart from the
// per-file view settings: the recently opened files, the window's geometry
// and whether the inspector is shown (by default in zn4417hex/window.ini
// under the user's configuration folder). An empty file name keeps
// nothing: every read gives the default.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

class THexEditPreferences {
 public:
  static constexpr int kMaxRecent = 8;

  explicit THexEditPreferences(std::string file = std::string()) : file_(std::move(file)) {}
  // <configuration folder>/zn4417hex/window.ini
  static std::string DefaultFile();

  // Most recent first, full paths, at most kMaxRecent.
  std::vector<std::string> RecentFiles() const;
  // Puts the file first (once) and drops the oldest beyond kMaxRecent.
  void AddRecentFile(const std::string& fileName);
  void RemoveRecentFile(const std::string& fileName);

  // As QWidget::saveGeometry gives it; empty when none was kept.
  QByteArray WindowGeometry() const;
  void SetWindowGeometry(const QByteArray& geometry);

  bool InspectorShown() const;
  void SetInspectorShown(bool shown);

 private:
  void SetRecent(const std::vector<std::string>& files);
  std::string file_;
};
