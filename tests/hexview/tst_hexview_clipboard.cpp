// Hex view clipboard and drag and drop through QClipboard and QMimeData.
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDrag>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "hexview/hvdataobject.h"
#include "hexview/hvdragdrop.h"
#include "hexview/hvformatseldialog.h"
#include "tests/hexview/hexview_widget_util.h"

namespace {

using Bytes = std::vector<Byte>;

Bytes Contents(THexViewEx& v) {
  return Bytes(v.GetFastPointer(), v.GetFastPointer() + v.DataSize());
}

QByteArray Raw(const Bytes& b) {
  return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

// Puts one format on the clipboard.
void Offer(const QString& mime, const QByteArray& bytes) {
  auto* data = new QMimeData;
  data->setData(mime, bytes);
  QGuiApplication::clipboard()->setMimeData(data);
}

// The middle of the hex cell of a byte.
QPoint PointOf(THexViewEx& v, Integer index) {
  const TGridCoord c = v.GetCursorAtPos(index, false);
  const TRect r = v.CellRect(c.X, c.Y);
  return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// Sends enter, move and drop to the view as a drag from elsewhere would.
// Returns whether the drop was accepted and the action answered.
bool DropOn(THexViewEx& v, const QMimeData& data, Integer index, Qt::KeyboardModifiers keys,
            Qt::DropAction* answered = nullptr) {
  const QPointF p = PointOf(v, index);
  const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(p.toPoint(), all, &data, Qt::LeftButton, keys);
  QCoreApplication::sendEvent(&v, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(p.toPoint(), all, &data, Qt::LeftButton, keys);
  QCoreApplication::sendEvent(&v, &move);
  QDropEvent drop(p, all, &data, Qt::LeftButton, keys);
  QCoreApplication::sendEvent(&v, &drop);
  if (answered) *answered = drop.dropAction();
  return drop.isAccepted();
}

// Answers the next format dialogs: picks the named entry (or cancels
// with an empty name) and sets the hex text box.
struct DialogAnswer {
  QString pick;
  bool hexText = false;
  QStringList listed;
  QString preselected;
  bool hexBoxEnabledForPick = false;
  int shown = 0;
  DialogAnswer() {
    TFormatSelDialog::SetExecuteInterceptor([this](TFormatSelDialog& d) {
      ++shown;
      listed.clear();
      for (int i = 0; i < d.List()->count(); ++i) listed << d.List()->item(i)->text();
      preselected = d.List()->currentItem() ? d.List()->currentItem()->text() : QString();
      if (pick.isEmpty()) return false;
      d.List()->setCurrentRow(static_cast<int>(listed.indexOf(pick)));
      hexBoxEnabledForPick = d.HexTextBox()->isEnabled();
      d.HexTextBox()->setChecked(hexText);
      return true;
    });
  }
  ~DialogAnswer() { TFormatSelDialog::SetExecuteInterceptor(nullptr); }
};

}  // namespace

class HexViewClipboardTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QGuiApplication::clipboard()->clear();
    TFormatSelDialog::ResetLastChoice();
  }

  void copyOffersBlockTextAndVirtualFile() {
    ViewHost h;
    h.Fill({0x41, 0x42, 0x00, 0x43});
    THexViewEx& v = *h.view;
    v.Data().SetFileName("/tmp/some/chip.rom");
    QVERIFY(!v.CBCopy());  // no selection
    v.SetSelection(0, 0, 3);
    QVERIFY(v.CBCopy());
    QVERIFY(v.OwnsClipBoard());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QString("AB"));
    const QByteArray block = data->data(kHVClipboardMime);
    QCOMPARE(block.size(), 16);
    QVERIFY(block.startsWith("HVCB"));
    QCOMPARE(data->data(kHVOctetStreamMime), Raw({0x41, 0x42, 0x00, 0x43}));
    const QList<QUrl> urls = data->urls();
    QCOMPARE(urls.size(), 1);
    const QString path = urls[0].toLocalFile();
    QCOMPARE(QFileInfo(path).fileName(), QString("Dump of chip.bin"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Raw({0x41, 0x42, 0x00, 0x43}));
    file.close();

    v.SetClipboardAsHexText(true);
    QVERIFY(v.CBCopy());
    QVERIFY(!QFile::exists(path));  // the old data object went with its file
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), QString("41420043"));
    QGuiApplication::clipboard()->setText("other");
    QVERIFY(!v.OwnsClipBoard());
  }

  void bytesAboveTheAsciiRangeTravelAsCharacters() {
    ViewHost h;
    Bytes all;
    for (int i = 1; i < 256; ++i) all.push_back(static_cast<Byte>(i));
    h.Fill(all);
    THexViewEx& v = *h.view;
    v.SetSelection(0, 0, 254);
    QVERIFY(v.CBCopy());
    const QString text = QGuiApplication::clipboard()->mimeData()->text();
    QCOMPARE(text.size(), 255);
    QCOMPARE(text[0x80 - 1], QChar(0x20AC));
    QCOMPARE(text[0xE9 - 1], QChar(0xE9));
    // Another program hands the same text back (plain text only, as UTF-8).
    auto* back = new QMimeData;
    back->setData("text/plain;charset=utf-8", text.toUtf8());
    back->setText(text);
    QGuiApplication::clipboard()->setMimeData(back);
    h.Fill({});
    QVERIFY(v.CBPaste());
    QCOMPARE(Contents(v), all);
    QCOMPARE(v.GetUndoDescription(), std::string(kHVPasteFromClipboard));
  }

  void everyAcceptedFormatBecomesBytes() {
    ViewHost h;
    THexViewEx& v = *h.view;
    auto pasted = [&](const std::function<void()>& offer) {
      h.Fill({});
      v.ResetSelection(false);
      v.Data().MoveCaret(0, false);
      offer();
      return v.CBPaste() ? Contents(v) : Bytes{0xDE, 0xAD};
    };
    const Bytes withZero = {1, 0, 2, 0xFF};
    QCOMPARE(pasted([&] { Offer(kHVClipboardMime, Raw(HVMakeClipBlock(withZero.data(), 4))); }),
             withZero);
    QCOMPARE(pasted([&] { Offer(kHVOctetStreamMime, Raw(withZero)); }), withZero);
    QCOMPARE(pasted([&] { Offer(kHVRegEditMime, Raw({2, 0, 0, 0, 9, 0, 7})); }), (Bytes{9, 0}));
    const QByteArray rtf("{\\rtf1 x}");
    QCOMPARE(pasted([&] { Offer("text/rtf", rtf + QByteArray("\0junk", 5)); }),
             Bytes(rtf.begin(), rtf.end()));
    QCOMPARE(
        pasted([&] { QGuiApplication::clipboard()->setText(QString::fromUtf8("a\xE2\x82\xAC")); }),
        (Bytes{'a', 0x80}));
    const Bytes bmp = pasted([&] {
      QImage image(3, 2, QImage::Format_RGB32);
      image.fill(Qt::red);
      QGuiApplication::clipboard()->setImage(image);
    });
    QVERIFY(bmp.size() > 54);
    QCOMPARE(bmp[0], Byte('B'));
    QCOMPARE(bmp[1], Byte('M'));
    QCOMPARE(LeIntOf(bmp, 18), 3u);  // width in the bitmap header

    QTemporaryDir dir;
    const QString name = dir.filePath("f.bin");
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(Raw({5, 0, 6}));
    f.close();
    QCOMPARE(pasted([&] {
               auto* d = new QMimeData;
               d->setUrls({QUrl::fromLocalFile(name)});
               QGuiApplication::clipboard()->setMimeData(d);
             }),
             (Bytes{5, 0, 6}));

    // Nothing accepted: no paste, and nothing changes.
    Offer("text/html", "<b>x</b>");
    QVERIFY(!v.CanPaste());
    QVERIFY(!v.CBPaste());
    // Without other formats only the private block and files count.
    v.SetSupportsOtherClipFormats(false);
    QGuiApplication::clipboard()->setText("abc");
    QVERIFY(!v.CanPaste());
    v.SetSupportsOtherClipFormats(true);
    QVERIFY(v.CanPaste());
    v.SetReadOnlyView(true);
    QVERIFY(!v.CanPaste());
  }

  void priorityAndTheFormatDialog() {
    ViewHost h;
    THexViewEx& v = *h.view;
    h.Fill({});
    DialogAnswer answer;
    auto* both = new QMimeData;  // the private block wins without asking
    both->setText("zz");
    both->setData(kHVClipboardMime, Raw(HVMakeClipBlock(Bytes{7}.data(), 1)));
    QGuiApplication::clipboard()->setMimeData(both);
    QVERIFY(v.CBPaste());
    QCOMPARE(Contents(v), Bytes{7});
    QCOMPARE(answer.shown, 0);

    auto offerTextAndRtf = [] {
      auto* d = new QMimeData;
      d->setText("0a 1B");
      d->setData("text/rtf", "{\\rtf1 0a 1B}");
      QGuiApplication::clipboard()->setMimeData(d);
    };
    h.Fill({});
    offerTextAndRtf();
    answer.pick = "Text";
    answer.hexText = true;
    QVERIFY(v.CBPaste());
    QCOMPARE(answer.shown, 1);
    QCOMPARE(answer.listed, QStringList({"Text", "Rich Text Format"}));
    QVERIFY(answer.hexBoxEnabledForPick);
    QCOMPARE(Contents(v), (Bytes{0x0A, 0x1B}));
    QVERIFY(v.ClipboardAsHexText());  // the box's state is kept

    answer.pick = "Rich Text Format";
    QVERIFY(v.CBPaste());
    QCOMPARE(answer.preselected, QString("Text"));  // the last choice
    QVERIFY(!answer.hexBoxEnabledForPick);

    answer.pick.clear();  // cancel
    const Bytes before = Contents(v);
    QVERIFY(!v.CBPaste());
    QCOMPARE(Contents(v), before);
  }

  void pasteUnderAFixedSizeOverwrites() {
    ViewHost h;
    h.Fill({1, 2, 3, 4});
    THexViewEx& v = *h.view;
    v.SetNoSizeChange(true);
    v.Data().MoveCaret(2, false);
    Offer(kHVOctetStreamMime, Raw({9, 9, 9}));
    QVERIFY(v.CBPaste());
    QCOMPARE(Contents(v), (Bytes{1, 2, 9, 9}));
    h.Fill({});
    QVERIFY(!v.CanPaste());  // nothing to overwrite
  }

  void cutRemovesTheSelection() {
    ViewHost h;
    h.Fill({1, 2, 3, 4});
    THexViewEx& v = *h.view;
    v.SetSelection(1, 1, 2);
    QVERIFY(v.CBCut());
    QCOMPARE(Contents(v), (Bytes{1, 4}));
    QCOMPARE(v.GetUndoDescription(), std::string(kHVCutToClipboard));
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(kHVOctetStreamMime), Raw({2, 3}));
    v.SetNoSizeChange(true);
    v.SetSelection(0, 0, 0);
    QVERIFY(!v.CBCut());
    QCOMPARE(Contents(v), (Bytes{1, 4}));
  }

  void releasingTheClipboard() {
    {
      ViewHost h;
      h.Fill({1, 2});
      h.view->SetSelection(0, 0, 1);
      QVERIFY(h.view->CBCopy());
    }  // destroyed without FlushClipboardAtShutDown: the clipboard is emptied
    const QMimeData* left = QGuiApplication::clipboard()->mimeData();
    QVERIFY(!left || !left->hasFormat(kHVClipboardMime));
    {
      ViewHost h;
      h.Fill({1, 2});
      h.view->SetFlushClipboardAtShutDown(true);
      h.view->SetSelection(0, 0, 1);
      QVERIFY(h.view->CBCopy());
    }
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(kHVOctetStreamMime), Raw({1, 2}));
  }

  void dropsFromElsewhere() {
    ViewHost h;
    h.Fill({0, 1, 2, 3, 4, 5, 6, 7});
    THexViewEx& v = *h.view;
    QMimeData bytes;
    bytes.setData(kHVOctetStreamMime, Raw({0xA, 0xB}));
    QVERIFY(!DropOn(v, bytes, 2, Qt::NoModifier));  // not a drop target yet
    v.SetOleDragDrop(true);
    Qt::DropAction action = Qt::IgnoreAction;
    QVERIFY(DropOn(v, bytes, 2, Qt::NoModifier, &action));
    QCOMPARE(action, Qt::CopyAction);
    QCOMPARE(Contents(v), (Bytes{0, 1, 0xA, 0xB, 2, 3, 4, 5, 6, 7}));
    QCOMPARE(v.GetUndoDescription(), std::string(kHVDataDropped));
    QCOMPARE(v.DropPosition(), -1);  // the marker is gone after the drop
    QVERIFY(DropOn(v, bytes, 4, Qt::ShiftModifier, &action));
    QCOMPARE(action, Qt::MoveAction);

    h.Fill({0, 1, 2, 3});
    v.SetNoSizeChange(true);
    QVERIFY(DropOn(v, bytes, 1, Qt::NoModifier));
    QCOMPARE(Contents(v), (Bytes{0, 0xA, 0xB, 3}));  // overwritten
    v.SetSelection(3, 3, 3);
    QVERIFY(DropOn(v, bytes, 3, Qt::NoModifier));  // onto the selection: replaced, cut to it
    QCOMPARE(Contents(v), (Bytes{0, 0xA, 0xB, 0xA}));

    v.SetReadOnlyView(true);
    QVERIFY(!DropOn(v, bytes, 1, Qt::NoModifier));
  }

  void droppedFilesGiveContentsOrNames() {
    ViewHost h;
    THexViewEx& v = *h.view;
    v.SetOleDragDrop(true);
    QTemporaryDir dir;
    const QString name = dir.filePath("a.bin");
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(Raw({0x11, 0x22}));
    f.close();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(name)});
    h.Fill({0});
    QVERIFY(DropOn(v, files, 0, Qt::NoModifier));
    QCOMPARE(Contents(v), (Bytes{0x11, 0x22, 0}));
    h.Fill({0});
    v.ResetSelection(false);
    Qt::DropAction action = Qt::IgnoreAction;
    QVERIFY(DropOn(v, files, 0, Qt::ShiftModifier, &action));
    QCOMPARE(action, Qt::LinkAction);
    const QByteArray latin = name.toLatin1();
    Bytes expected(latin.begin(), latin.end());
    expected.push_back(0);
    expected.push_back(0);  // the byte that was there
    QCOMPARE(Contents(v), expected);
  }

  void movingTheSelectionInsideTheView() {
    ViewHost h;
    h.Fill({0, 1, 2, 3, 4, 5, 6, 7});
    THexViewEx& v = *h.view;
    v.SetOleDragDrop(true);
    v.SetSelection(1, 1, 2);
    Qt::DropActions offered;
    THVDropSource::SetDragLoopInterceptor([&](QDrag& drag, Qt::DropActions allowed) {
      offered = allowed;
      Qt::DropAction action = Qt::IgnoreAction;
      return DropOn(v, *drag.mimeData(), 6, Qt::NoModifier, &action) ? action : Qt::IgnoreAction;
    });
    const Integer entries = v.Data().UndoStorage().Count();
    v.StartOleDrag();
    QCOMPARE(offered, Qt::CopyAction | Qt::MoveAction);
    QCOMPARE(Contents(v), (Bytes{0, 3, 4, 5, 1, 2, 6, 7}));
    QCOMPARE(v.GetUndoDescription(), std::string(kHVDataMoved));
    QCOMPARE(v.Data().UndoStorage().Count(), entries + 3);  // two edits and their combination
    v.Undo();                                               // one step takes the whole move back
    QCOMPARE(Contents(v), (Bytes{0, 1, 2, 3, 4, 5, 6, 7}));
    QVERIFY(!v.GetCanRedo());  // a combined step cannot be redone
    v.SetSelection(1, 1, 2);
    v.StartOleDrag();
    QCOMPARE(Contents(v), (Bytes{0, 3, 4, 5, 1, 2, 6, 7}));

    // With Ctrl held the selection is copied.
    v.SetSelection(0, 0, 0);
    THVDropSource::SetDragLoopInterceptor([&](QDrag& drag, Qt::DropActions) {
      Qt::DropAction action = Qt::IgnoreAction;
      return DropOn(v, *drag.mimeData(), 7, Qt::ControlModifier, &action) ? action
                                                                          : Qt::IgnoreAction;
    });
    v.StartOleDrag();
    QCOMPARE(Contents(v), (Bytes{0, 3, 4, 5, 1, 2, 6, 0, 7}));
    QCOMPARE(v.GetUndoDescription(), std::string(kHVDataDropped));

    // Moved to another program: the selection goes.
    v.SetSelection(1, 1, 3);
    THVDropSource::SetDragLoopInterceptor([](QDrag&, Qt::DropActions) { return Qt::MoveAction; });
    v.StartOleDrag();
    QCOMPARE(Contents(v), (Bytes{0, 1, 2, 6, 0, 7}));
    // Under a fixed size the bytes cannot leave: a move elsewhere copies.
    v.SetNoSizeChange(true);
    v.SetSelection(1, 1, 2);
    v.StartOleDrag();
    QCOMPARE(Contents(v), (Bytes{0, 1, 2, 6, 0, 7}));
    THVDropSource::SetDragLoopInterceptor(nullptr);
  }

  void pressingOnTheSelectionAndMovingStartsADrag() {
    ViewHost h;
    h.Fill({0, 1, 2, 3, 4, 5, 6, 7});
    THexViewEx& v = *h.view;
    v.SetSelection(2, 2, 4);
    int drags = 0;
    QByteArray dragged;
    THVDropSource::SetDragLoopInterceptor([&](QDrag& drag, Qt::DropActions) {
      ++drags;
      dragged = drag.mimeData()->data(kHVOctetStreamMime);
      return Qt::IgnoreAction;
    });
    const QPoint from = PointOf(v, 3);
    const QPoint far = from + QPoint(QApplication::startDragDistance() + 1, 0);
    auto pressAndMove = [&] {
      QTest::mousePress(&v, Qt::LeftButton, Qt::NoModifier, from);
      QMouseEvent move(QEvent::MouseMove, far, v.mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
      QCoreApplication::sendEvent(&v, &move);
      QTest::mouseRelease(&v, Qt::LeftButton, Qt::NoModifier, far);
    };
    pressAndMove();
    QCOMPARE(drags, 0);  // OleDragDrop is off
    v.SetSelection(2, 2, 4);
    v.SetOleDragDrop(true);
    pressAndMove();
    QCOMPARE(drags, 1);
    QCOMPARE(dragged, Raw({2, 3, 4}));
    QVERIFY(v.IsSelected(3));  // a cancelled drag keeps the selection
    THVDropSource::SetDragLoopInterceptor(nullptr);
  }

  void clipboardKeys() {
    ViewHost h;
    h.Fill({1, 2, 3, 4});
    THexViewEx& v = *h.view;
    h.Focus();
    v.SetSelection(1, 1, 2);
    QTest::keyClick(&v, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(kHVOctetStreamMime), Raw({2, 3}));
    QTest::keyClick(&v, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Contents(v), (Bytes{1, 4}));
    v.ResetSelection(false);
    v.Data().MoveCaret(1, false);
    QTest::keyClick(&v, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Contents(v), (Bytes{1, 2, 3, 4}));
    QCOMPARE(v.GetUndoDescription(), std::string(kHVPasteFromClipboard));
  }

  void formatDialogLayout() {
    ViewHost h;
    TFormatSelDialog d(h.view, {hcfText, hcfBitmap}, true);
    const QRect screen = h.view->screen()->geometry();
    QCOMPARE(d.windowTitle(), QString("Select Data Format"));
    QCOMPARE(d.width(), screen.width() / 4);
    QCOMPARE(d.height(), screen.height() / 4);
    QCOMPARE(d.OkButton()->x(), 16);
    QCOMPARE(d.OkButton()->width(), d.width() / 2 - 32);
    QCOMPARE(d.CancelButton()->geometry().right() + 1, d.width() - 16);
    QCOMPARE(d.OkButton()->geometry().bottom() + 1, d.height() - 8);
    QCOMPARE(d.List()->height(),
             d.height() - d.OkButton()->height() - d.HexTextBox()->sizeHint().height() - 24);
    QVERIFY(d.OkButton()->isDefault());
    QVERIFY(d.HexTextBox()->isChecked());
    QVERIFY(d.HexTextBox()->isEnabled());  // Text is selected
    d.List()->setCurrentRow(1);
    QVERIFY(!d.HexTextBox()->isEnabled());
    TFormatSelDialog empty(h.view, {}, false);
    QVERIFY(!empty.OkButton()->isEnabled());
  }

 private:
  static uint32_t LeIntOf(const Bytes& v, size_t at) {
    return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (static_cast<uint32_t>(v[at + 3]) << 24);
  }
};

QTEST_MAIN(HexViewClipboardTest)
#include "tst_hexview_clipboard.moc"
