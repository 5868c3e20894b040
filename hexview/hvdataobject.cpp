// THVDataObject: rendering the offered formats.
#include "hexview/hvdataobject.h"

#include <QFile>
#include <QUrl>

#include "hexview/hvclipformats.h"

namespace {

QByteArray ToByteArray(const std::vector<Byte>& v) {
  return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

}  // namespace

THVDataObject::THVDataObject(std::vector<Byte> bytes, bool swapNibbles, bool asHexText,
                             const std::string& documentFileName)
    : bytes_(std::move(bytes)),
      swapNibbles_(swapNibbles),
      asHexText_(asHexText),
      virtualName_(HVVirtualFileName(documentFileName)) {}

THVDataObject::~THVDataObject() = default;  // the temporary folder goes with dir_

QString THVDataObject::TemporaryFilePath() const {
  return filePath_;
}

QStringList THVDataObject::formats() const {
  return {kHVClipboardMime, kHVTextMime, kHVUriListMime, kHVOctetStreamMime};
}

bool THVDataObject::hasFormat(const QString& mimeType) const {
  return formats().contains(mimeType);
}

QString THVDataObject::WriteTemporaryFile() const {
  if (!filePath_.isEmpty()) return filePath_;
  dir_ = std::make_unique<QTemporaryDir>();
  if (!dir_->isValid()) return QString();
  const QString path = dir_->filePath(QString::fromStdString(virtualName_));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(ToByteArray(bytes_)) != qint64(bytes_.size()))
    return QString();
  filePath_ = path;
  return filePath_;
}

QVariant THVDataObject::retrieveData(const QString& mimeType, QMetaType type) const {
  const Integer n = static_cast<Integer>(bytes_.size());
  if (mimeType == kHVClipboardMime) return ToByteArray(HVMakeClipBlock(bytes_.data(), n));
  if (mimeType == kHVOctetStreamMime) return ToByteArray(bytes_);
  if (mimeType == kHVTextMime) {
    const std::string text = HVClipTextOf(bytes_.data(), n, asHexText_, swapNibbles_);
    return QString::fromStdU32String(HVAnsiToUnicode(text));
  }
  if (mimeType == kHVUriListMime) {
    const QString path = WriteTemporaryFile();
    if (path.isEmpty()) return QVariant();
    const QUrl url = QUrl::fromLocalFile(path);
    if (type.id() == QMetaType::QByteArray) return url.toEncoded() + "\r\n";
    return QVariantList{url};
  }
  return QVariant();
}
