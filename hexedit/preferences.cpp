// zn4417hex's preferences in a QSettings file.
#include "hexedit/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {

constexpr const char* kRecentKey = "recent/files";
constexpr const char* kGeometryKey = "window/geometry";
constexpr const char* kInspectorKey = "window/inspector";

}  // namespace

std::string THexEditPreferences::DefaultFile() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(base).filePath("zn4417hex/window.ini").toStdString();
}

std::vector<std::string> THexEditPreferences::RecentFiles() const {
  if (file_.empty()) return {};
  QSettings s(QString::fromStdString(file_), QSettings::IniFormat);
  std::vector<std::string> files;
  for (const QString& f : s.value(kRecentKey).toStringList())
    if (!f.isEmpty() && files.size() < static_cast<size_t>(kMaxRecent))
      files.push_back(f.toStdString());
  return files;
}

void THexEditPreferences::SetRecent(const std::vector<std::string>& files) {
  if (file_.empty()) return;
  QStringList list;
  for (const std::string& f : files) list << QString::fromStdString(f);
  QSettings s(QString::fromStdString(file_), QSettings::IniFormat);
  s.setValue(kRecentKey, list);
}

void THexEditPreferences::AddRecentFile(const std::string& fileName) {
  const std::string path =
      QFileInfo(QString::fromStdString(fileName)).absoluteFilePath().toStdString();
  std::vector<std::string> files = RecentFiles();
  files.erase(std::remove(files.begin(), files.end(), path), files.end());
  files.insert(files.begin(), path);
  if (files.size() > static_cast<size_t>(kMaxRecent)) files.resize(kMaxRecent);
  SetRecent(files);
}

void THexEditPreferences::RemoveRecentFile(const std::string& fileName) {
  std::vector<std::string> files = RecentFiles();
  files.erase(std::remove(files.begin(), files.end(), fileName), files.end());
  SetRecent(files);
}

QByteArray THexEditPreferences::WindowGeometry() const {
  if (file_.empty()) return {};
  return QSettings(QString::fromStdString(file_), QSettings::IniFormat)
      .value(kGeometryKey)
      .toByteArray();
}

void THexEditPreferences::SetWindowGeometry(const QByteArray& geometry) {
  if (file_.empty()) return;
  QSettings(QString::fromStdString(file_), QSettings::IniFormat).setValue(kGeometryKey, geometry);
}

bool THexEditPreferences::InspectorShown() const {
  if (file_.empty()) return false;
  return QSettings(QString::fromStdString(file_), QSettings::IniFormat)
      .value(kInspectorKey, false)
      .toBool();
}

void THexEditPreferences::SetInspectorShown(bool shown) {
  if (file_.empty()) return;
  QSettings(QString::fromStdString(file_), QSettings::IniFormat).setValue(kInspectorKey, shown);
}
