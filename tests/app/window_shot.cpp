// A helper for looking at the window on a real display (not a test): opens
// the window on the simulated chip holding a recognisable block, clicks
// "Read" after a moment when asked to ("read" argument), and keeps running
// until it is closed, so that the screen can be captured.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "tests/app/window_panels.h"
#include "tests/app/window_test_util.h"

int main(int argc, char** argv) {
  const bool read = argc > 1 && std::string(argv[1]) == "read";
  Application->Initialize(argc, argv);
  Application->SetTitle(kApplicationTitle);
  SimWindow w;
  std::vector<uint8_t> block = PatternBlock(0x31);
  const std::pair<int, uint8_t> fields[] = {
      {10, 0xEC}, {11, 0x43}, {12, 3},    {13, 100},  {14, 9},    {15, 200},  {16, 5},
      {17, 17},   {18, 99},   {19, 98},   {21, 1},    {22, 2},    {23, 3},    {24, 4},
      {25, 5},    {26, 63},   {28, 0xC4}, {29, 0x09}, {30, 0xD4}, {31, 0x30}, {32, 0xF6}};
  for (const auto& [offset, value] : fields) block[offset] = value;
  PokeSfr(w.library.Chip(), block);
  TForm1& form = w.Create();
  if (read) QTimer::singleShot(800, [&form] { Click(form.BtnFind); });
  return QApplication::exec();
}
