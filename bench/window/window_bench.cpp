// Converts every sheet of Price.xls in an application folder through the
// window, offscreen, as a person would: Read Price File, then Convert. Prints
// the wall-clock and CPU seconds of the two clicks; window_bench.py sets them
// beside tarnwick-cli doing the same.
//
// usage: tarnwick-bench-window APP_FOLDER

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/core_operations.h"
#include "app/frm_convert.h"
#include "settings/qt_settings_store.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarnwick-bench-window APP_FOLDER\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef __GLIBC__
  // As the window's own main() keeps freed memory for the next sheet.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tarnwick");
  QApplication::setStyle("Fusion");

  tarnwick::settings::QtSettingsStore settings;
  tarnwick::app::FrmConvert window(
      settings, settings.Location(), argv[1],
      std::make_unique<tarnwick::app::CoreOperations>());
  window.show();
  QApplication::processEvents();

  const auto wall = std::chrono::steady_clock::now();
  const std::clock_t cpu = std::clock();
  window.findChild<QPushButton*>("BtnRead")->click();
  auto* list = window.findChild<QListWidget*>("List");
  const int sheets = list->count();
  const std::clock_t read_cpu = std::clock() - cpu;
  window.findChild<QPushButton*>("BtnWrite")->click();
  const double cpu_seconds =
      static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
  const std::chrono::duration<double> wall_seconds =
      std::chrono::steady_clock::now() - wall;

  // A sheet still ticked was not converted: the figures would mean nothing.
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->checkState() == Qt::Checked) {
      std::fprintf(stderr, "sheet %d was not converted\n", i + 1);
      return 1;
    }
  }
  std::printf("%d %.3f %.3f %.3f\n", sheets, wall_seconds.count(), cpu_seconds,
              static_cast<double>(read_cpu) / CLOCKS_PER_SEC);
  return sheets > 0 ? 0 : 1;
}
