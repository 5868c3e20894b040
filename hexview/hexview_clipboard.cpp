// THexViewEx: copy, cut and paste through the clipboard, and the conversion
// of offered data (clipboard or drop) into bytes.
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "hexview/hexviewex.h"
#include "hexview/hvdataobject.h"
#include "hexview/hvdragdrop.h"
#include "hexview/hvformatseldialog.h"
#include "hexview/hvhextext.h"
#include "hexview/thvwaitcursor.h"

namespace {

// None once the application object is gone.
QClipboard* Clipboard() {
  return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
}

std::vector<Byte> BytesOf(const QByteArray& a) {
  return std::vector<Byte>(a.begin(), a.end());
}

std::vector<Byte> AnsiBytesOf(const QString& s) {
  const std::string bytes = HVUnicodeToAnsi(s.toStdU32String());
  return std::vector<Byte>(bytes.begin(), bytes.end());
}

std::vector<std::string> MimeTypesOf(const QMimeData& data) {
  std::vector<std::string> types;
  for (const QString& f : data.formats()) types.push_back(f.toStdString());
  if (data.hasImage()) types.push_back("application/x-qt-image");
  return types;
}

}  // namespace

bool THexViewEx::CanPaste() const {
  if (ReadOnlyView()) return false;
  const QMimeData* data = Clipboard() ? Clipboard()->mimeData() : nullptr;
  if (!data || !OLEHasSupportedFormat(*data)) return false;
  return !NoSizeChange() || DataSize() > 0;
}

bool THexViewEx::CBCopy() {
  if (!CanCopy() || !Clipboard()) return false;
  const THexViewData& d = Data();
  const Integer low = std::max(0, d.Selection().Low);
  const Integer high = std::min(d.Selection().High, DataSize() - 1);
  std::vector<Byte> bytes(GetFastPointer() + low, GetFastPointer() + high + 1);
  auto* object =
      new THVDataObject(std::move(bytes), SwapNibbles(), clipboardAsHexText_, FileName());
  Clipboard()->setMimeData(object);  // the clipboard owns it from here
  clipboardData_ = object;
  return true;
}

bool THexViewEx::CBCut() {
  if (!CanCut() || !CBCopy()) return false;
  DeleteSelection(kHVCutToClipboard);
  return true;
}

bool THexViewEx::CBPaste() {
  if (!CanPaste()) return false;
  const QMimeData* data = Clipboard()->mimeData();
  Qt::DropAction effect = Qt::CopyAction;
  if (!SupportsOLEData(*data, effect, oleClipboard)) return false;
  return InsertOLEData(*data, effect, oleClipboard);
}

bool THexViewEx::OwnsClipBoard() const {
  return clipboardData_ && Clipboard() && Clipboard()->mimeData() == clipboardData_.data();
}

void THexViewEx::ReleaseClipboard(bool flush) {
  if (!OwnsClipBoard()) return;
  // The data object holds its own copy of the bytes: flushed, it simply
  // stays on the clipboard without this view.
  if (!flush) Clipboard()->clear();
  clipboardData_ = nullptr;
}

std::vector<THVClipFormat> THexViewEx::GetMyOLEFormats(const QMimeData& data) const {
  return HVAcceptedClipFormats(MimeTypesOf(data), supportsOtherClipFormats_);
}

bool THexViewEx::OLEHasSupportedFormat(const QMimeData& data) const {
  return !GetMyOLEFormats(data).empty();
}

bool THexViewEx::SupportsOLEData(const QMimeData& data, Qt::DropAction& effect,
                                 THVOLEOperation /*operation*/) {
  if (ReadOnlyView()) return false;
  const std::vector<THVClipFormat> formats = GetMyOLEFormats(data);
  if (formats.empty()) return false;
  operationFormat_ = formats.front();
  if (operationFormat_ == hcfFileList && effect == Qt::MoveAction) effect = Qt::LinkAction;
  return true;
}

std::vector<Byte> THexViewEx::ConvertOLEData(const QMimeData& data, THVClipFormat format,
                                             bool link) const {
  switch (format) {
    case hcfPrivate: {
      const QByteArray block = data.data(kHVClipboardMime);
      std::vector<Byte> bytes;
      HVReadClipBlock(reinterpret_cast<const Byte*>(block.constData()),
                      static_cast<size_t>(block.size()), bytes);
      return bytes;
    }
    case hcfFileList: {
      std::vector<std::string> names;
      for (const QUrl& url : data.urls())
        if (url.isLocalFile()) {
          const std::vector<Byte> name = AnsiBytesOf(url.toLocalFile());
          names.emplace_back(name.begin(), name.end());
          if (!link) {  // the contents of the first file only
            QFile file(url.toLocalFile());
            return file.open(QIODevice::ReadOnly) ? BytesOf(file.readAll()) : std::vector<Byte>();
          }
        }
      return HVFileNameList(names);
    }
    case hcfText: {
      const std::vector<Byte> text = AnsiBytesOf(data.text());
      if (!clipboardAsHexText_) return text;
      return ConvertHexToBin(std::string(text.begin(), text.end()), SwapNibbles());
    }
    case hcfRichText: {
      const QByteArray rtf = data.hasFormat(kHVRichTextMime) ? data.data(kHVRichTextMime)
                                                             : data.data("application/rtf");
      return HVZeroTerminated(reinterpret_cast<const Byte*>(rtf.constData()),
                              static_cast<size_t>(rtf.size()));
    }
    case hcfBitmap: {
      const QImage image = qvariant_cast<QImage>(data.imageData());
      QByteArray file;
      QBuffer buffer(&file);
      if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP"))
        return {};
      return BytesOf(file);
    }
    case hcfOctetStream:
      return BytesOf(data.data(kHVOctetStreamMime));
    case hcfRegEditHexData: {
      const QByteArray block = data.data(kHVRegEditMime);
      return HVReadRegEditHexData(reinterpret_cast<const Byte*>(block.constData()),
                                  static_cast<size_t>(block.size()));
    }
  }
  return {};
}

bool THexViewEx::ClipboardBytes(std::vector<Byte>& bytes) {
  if (!CanPaste()) return false;
  const QMimeData* data = Clipboard()->mimeData();
  Qt::DropAction effect = Qt::CopyAction;
  if (!SupportsOLEData(*data, effect, oleClipboard)) return false;
  THVWaitCursor wait(Data());
  return OfferedBytes(*data, effect, bytes);
}

bool THexViewEx::OfferedBytes(const QMimeData& data, Qt::DropAction effect,
                              std::vector<Byte>& bytes) {
  THVClipFormat format = operationFormat_;
  if (format != hcfPrivate && format != hcfFileList) {
    const std::vector<THVClipFormat> formats = GetMyOLEFormats(data);
    if (formats.empty()) return false;
    format = formats.front();
    if (formats.size() > 1) {
      TFormatSelDialog dialog(this, formats, clipboardAsHexText_);
      if (!dialog.Execute()) return false;
      format = dialog.Selected();
      if (HVIsTextClipFormat(format)) clipboardAsHexText_ = dialog.HexText();
    }
  }
  bytes = ConvertOLEData(data, format, effect == Qt::LinkAction);
  const Integer unit = std::max(1, BytesPerUnit());
  const Integer count = static_cast<Integer>(std::min<size_t>(bytes.size(), 0x7FFFFFFF));
  bytes.resize(static_cast<size_t>(count - count % unit));
  return !bytes.empty();
}

bool THexViewEx::InsertOLEData(const QMimeData& data, Qt::DropAction effect,
                               THVOLEOperation operation) {
  THVWaitCursor wait(Data());
  std::vector<Byte> bytes;
  if (!OfferedBytes(data, effect, bytes)) return false;
  const Integer rounded = static_cast<Integer>(bytes.size());
  if (operation == oleClipboard) {
    PasteData(bytes.data(), rounded, kHVPasteFromClipboard);
    return true;
  }
  const bool ownMove = IsOwnDragData(&data) && effect == Qt::MoveAction;
  const bool dropped =
      Data().DropData(bytes.data(), rounded, DropPosition(), ownMove, kHVDataDropped);
  if (dropped && ownMove) droppedOnSelf_ = true;
  return dropped;
}
