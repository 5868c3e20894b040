// Per-file view settings of the hex editor in a QSettings file.
#include "hexedit/file_settings.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

#include "hexview/hexviewex.h"

namespace {

QString FullPath(const std::string& fileName) {
  return QFileInfo(QString::fromStdString(fileName)).absoluteFilePath();
}

// One group per file, named after a hash of its full path.
QString GroupOf(const QString& path) {
  return "file-" + QString::fromLatin1(
                       QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex());
}

void DropOldest(QSettings& s) {
  QStringList groups = s.childGroups();
  if (groups.size() <= THexEditFileSettings::kMaxFiles) return;
  std::vector<std::pair<qint64, QString>> used;
  for (const QString& g : groups) used.push_back({s.value(g + "/used").toLongLong(), g});
  std::sort(used.begin(), used.end());
  for (size_t i = 0; i + THexEditFileSettings::kMaxFiles < used.size(); ++i)
    s.remove(used[i].second);
}

}  // namespace

THexEditFileSettings::THexEditFileSettings(std::string settingsFile)
    : file_(std::move(settingsFile)) {}

std::string THexEditFileSettings::DefaultFile() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QDir(base).filePath("zn4417hex/files.ini").toStdString();
}

void THexEditFileSettings::Remember(THexViewEx& view, const std::string& fileName) {
  if (file_.empty() || fileName.empty()) return;
  const QString path = FullPath(fileName);
  QSettings s(QString::fromStdString(file_), QSettings::IniFormat);
  s.beginGroup(GroupOf(path));
  s.setValue("path", path);
  s.setValue("used", QDateTime::currentMSecsSinceEpoch());
  s.setValue("settings", QString::fromStdString(view.GetPropertiesAsString()));
  s.setValue("bookmarks", QString::fromStdString(view.GetBookmarksAsString()));
  s.endGroup();
  DropOldest(s);
}

bool THexEditFileSettings::Recall(THexViewEx& view, const std::string& fileName) {
  if (file_.empty() || fileName.empty()) return false;
  const QString path = FullPath(fileName);
  QSettings s(QString::fromStdString(file_), QSettings::IniFormat);
  s.beginGroup(GroupOf(path));
  if (s.value("path").toString() != path) return false;
  s.setValue("used", QDateTime::currentMSecsSinceEpoch());
  try {
    view.SetPropertiesAsString(s.value("settings").toString().toStdString());
  } catch (const std::exception&) {
    s.remove("settings");
  }
  try {
    view.SetBookMarksAsString(s.value("bookmarks").toString().toStdString());
  } catch (const std::exception&) {
    s.remove("bookmarks");
  }
  return true;
}
