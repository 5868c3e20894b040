// What zn4417ctl prints or logs as JSON, read back with Qt's parser.
#pragma once

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <string>
#include <vector>

#include "tests/tools/run_tool.h"

inline QJsonObject Json(const std::string& line) {
  QJsonParseError error{};
  QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
  EXPECT_TRUE(doc.isObject()) << line;
  return doc.object();
}

// One object per line, each a whole JSON object.
inline std::vector<QJsonObject> JsonLines(const std::string& text) {
  std::vector<QJsonObject> objects;
  for (const std::string& line : SplitLines(text)) objects.push_back(Json(line));
  return objects;
}

inline std::string Text(const QJsonValue& v) {
  return v.toString().toStdString();
}
