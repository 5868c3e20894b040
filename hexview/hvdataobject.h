// THVDataObject: the selected bytes offered to the clipboard or to a drag.
//
// It holds its own copy of the bytes, so it stays valid after the view is
// gone, and renders on request:
//   the private block        (kHVClipboardMime), bytes exact, zeros included
//   text/plain               the bytes up to the first zero, or hex text
//   application/octet-stream the bytes (the virtual file's contents)
//   text/uri-list            "Dump of NAME.bin", written to a temporary
//                            folder on first request and removed with the
//                            object (when the clipboard lets go of it, or
//                            when the drag is over)
#pragma once

#include <QMimeData>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "hexview/hvtypes.h"

class THVDataObject : public QMimeData {
 public:
  THVDataObject(std::vector<Byte> bytes, bool swapNibbles, bool asHexText,
                const std::string& documentFileName);
  ~THVDataObject() override;

  const std::vector<Byte>& Bytes() const { return bytes_; }
  const std::string& VirtualFileName() const { return virtualName_; }
  // The temporary file's path once it was asked for, else empty.
  QString TemporaryFilePath() const;

  QStringList formats() const override;
  bool hasFormat(const QString& mimeType) const override;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  QString WriteTemporaryFile() const;

  std::vector<Byte> bytes_;
  bool swapNibbles_;
  bool asHexText_;
  std::string virtualName_;
  mutable std::unique_ptr<QTemporaryDir> dir_;
  mutable QString filePath_;
};
