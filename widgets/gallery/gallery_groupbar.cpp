// Gallery page "groupbar": the main window's group bar ("Basic" open with
// parameter controls, "Advanced" hidden) at rest, hot and pressed; an
// Outlook bar with three visible groups and items; the category view and the
// task list.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <memory>

#include "framework/imagelist.h"
#include "framework/mainimages.h"
#include "widgets/gallery/gallery.h"
#include "widgets/nvlabel.h"
#include "widgets/nvradchk.h"
#include "widgets/nvspnedt.h"
#include "widgets/tnvgroupbar.h"

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton, buttons,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Hover(QWidget* w, QPoint p) {
  SendMouse(w, QEvent::MouseMove, p, Qt::NoButton);
}

void Leave(QWidget* w) {
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(w, &e);
}

TNvGroupBar* NewBar(TWinControl* host, TNvGroupBarStyle style, int left, int width, int height) {
  auto* bar = new TNvGroupBar(host);
  bar->SetAlign(alNone);
  bar->SetBounds(left, 0, width, height);
  bar->SetStyle(style);
  return bar;
}

TNvGroup* NewGroup(TNvGroupBar* bar, const char* caption) {
  auto* g = new TNvGroup(bar);
  g->SetCaption(caption);
  return g;
}

void AddLabel(TWinControl* parent, const char* caption, int left, int top) {
  auto* label = new TNvLabel(parent);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
}

void AddSpin(TWinControl* parent, int left, int top, int max, int value) {
  auto* edit = new TNvSpinEdit(parent);
  edit->SetBounds(left, top, 73, 21);
  edit->SetMax(max);
  edit->SetValue(value);
}

// The window's bar: gbsOutlook, gcsMSOffice from clBtnFace to clBtnShadow,
// colour clBtnShadow, no gap; "Basic" special and open, "Advanced" hidden.
TNvGroup* BuildMainBar(TWinControl* host) {
  TNvGroupBar* bar = NewBar(host, gbsOutlook, 0, 499, 339);
  bar->SetGradientColorStyle(gcsMSOffice);
  bar->SetGradientColorStart(clBtnFace);
  bar->SetGradientColorStop(clBtnShadow);
  bar->SetColor(clBtnShadow);
  bar->SetGroupBorderSize(0);
  TNvGroup* basic = NewGroup(bar, "Basic");
  basic->SetSpecial(true);
  basic->SetDividerVisible(false);
  AddLabel(basic, "DEADBAND", 16, 40);
  AddLabel(basic, "STRETCHER", 8, 64);
  AddLabel(basic, "P1MDUTY", 328, 40);
  AddSpin(basic, 89, 32, 255, 7);
  AddSpin(basic, 88, 56, 7, 3);
  AddSpin(basic, 408, 32, 255, 128);
  auto* check = new TNvCheckBox(basic);
  check->SetBounds(176, 96, 145, 17);
  check->SetCaption("High Freq Driver");
  check->SetColor(clSkyBlue);
  basic->SetOpenedHeight(339);
  TNvGroup* advanced = NewGroup(bar, "Advanced");
  advanced->SetOpenedHeight(319);
  advanced->SetVisible(false);
  return basic;
}

void AddItems(TNvGroup* g, bool withImages) {
  const char* captions[] = {"Read configuration", "Write configuration", "-", "Compare",
                            "Defaults"};
  for (int i = 0; i < 5; ++i) {
    TNvGroupItem* item = g->Items().Add(captions[i]);
    if (withImages && i != 2) item->SetImageIndex(i % 2 == 0 ? 0 : 2);
    if (i != 4) item->OnClick = [](TObject*) {};
  }
  g->Items()[3]->SetEnabled(false);
}

}  // namespace

GALLERY_PAGE(groupbar) {
  TImageList images;
  AddMainWindowImages(images);
  auto host = ctx.NewHost(1040, 360);

  TNvGroup* basic = BuildMainBar(host.get());
  ctx.Settle();
  GallerySheet sheet(2, 520, 370, "TNvGroupBar / TNvGroup");
  sheet.Add(GrabControl(*basic->GroupBar()), "main window bar (499 x 339): \"Basic\" open");
  ctx.SaveWidget(*basic->GroupBar(), "groupbar_main");
  const QPoint caption(basic->Width() / 2, 10);
  Hover(basic, caption);
  sheet.Add(GrabControl(*basic->GroupBar()), "\"Basic\" caption hot");
  SendMouse(basic, QEvent::MouseButtonPress, caption, Qt::LeftButton);
  sheet.Add(GrabControl(*basic->GroupBar()), "\"Basic\" caption pressed");
  SendMouse(basic, QEvent::MouseButtonRelease, caption, Qt::NoButton);
  Leave(basic);

  // Three visible groups, the middle one open, with items and a hot item.
  TNvGroupBar* outlook = NewBar(host.get(), gbsOutlook, 520, 240, 339);
  outlook->SetGradientColorStyle(gcsMSOffice);
  outlook->SetSmallImages(&images);
  TNvGroup* first = NewGroup(outlook, "Device");
  TNvGroup* tasks = NewGroup(outlook, "Tasks");
  NewGroup(outlook, "Help");
  AddItems(first, true);
  AddItems(tasks, true);
  tasks->SetShowItemSelection(true);
  tasks->Items()[1]->SetSelected(true);
  tasks->Open();
  ctx.Settle();
  tasks->Repaint();
  Hover(tasks, QPoint(tasks->Items()[0]->CaptionRect().Left + 4,
                      tasks->Items()[0]->CaptionRect().Top + 4));
  TNvGroupBar* small = NewBar(host.get(), gbsOutlook, 780, 200, 150);
  small->SetGradientColorStyle(gcsMSOffice);
  TNvGroup* many = NewGroup(small, "Many items");
  for (int i = 0; i < 12; ++i)
    many->Items().Add("Item " + std::to_string(i + 1))->OnClick = [](TObject*) {};
  many->SetTopItem(2);
  ctx.Settle();
  QImage pair(490, 339, QImage::Format_RGB32);
  pair.fill(Qt::white);
  {
    QPainter p(&pair);
    p.drawImage(0, 0, GrabControl(*outlook));
    p.drawImage(260, 0, GrabControl(*small));
  }
  sheet.Add(pair, "gbsOutlook: 3 groups, items, hot and selected; scrolled items with arrows");
  Leave(tasks);

  // Category view and task list.
  outlook->SetStyle(gbsCategoryView);
  small->Hide();
  outlook->SetBounds(520, 0, 240, 339);
  first->Close();
  tasks->SetSpecial(true);
  TNvGroupBar* taskList = NewBar(host.get(), gbsTaskList, 780, 240, 339);
  taskList->SetSmallImages(&images);
  AddItems(NewGroup(taskList, "Connection"), true);
  AddItems(NewGroup(taskList, "Configuration"), false);
  ctx.Settle();
  QImage styles(490, 339, QImage::Format_RGB32);
  styles.fill(Qt::white);
  {
    QPainter p(&styles);
    p.drawImage(0, 0, GrabControl(*outlook));
    p.drawImage(250, 0, GrabControl(*taskList));
  }
  sheet.Add(styles, "gbsCategoryView (special group open, one closed) and gbsTaskList");
  ctx.SaveImage(sheet.Image(), "groupbar");
}
