// The controls of FrmConvert, each at its place in the 663 x 403 client
// area, with its captions, entries and tool tips, and the tab order.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "app/frm_convert.h"

namespace tarnwick::app {
namespace {

constexpr int kButtonIconSize = 29;
constexpr int kFontPixels = 11;
constexpr int kHeadingPixels = 10;
constexpr int kSmallestHeadingPixels = 8;

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width,
              int height) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

QLabel* Heading(QWidget* parent, const char* name, const char* text, int left,
                int top, int width, int height) {
  auto* label = Place(new QLabel(QString::fromLatin1(text), parent), name, left,
                      top, width, height);
  label->setProperty("heading", true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0x1f, 0x35, 0x50));
  label->setPalette(palette);
  return label;
}

// The headings are small capitals in narrow boxes: one size for all, the
// largest at which every heading fits its box with the fonts installed.
void FitHeadings(const QWidget& window) {
  const QList<QLabel*> labels = window.findChildren<QLabel*>();
  QFont font = window.font();
  font.setBold(true);
  font.setStretch(QFont::SemiCondensed);
  for (int pixels = kHeadingPixels; pixels >= kSmallestHeadingPixels;
       --pixels) {
    font.setPixelSize(pixels);
    const QFontMetrics metrics(font);
    bool all_fit = true;
    for (const QLabel* label : labels) {
      if (label->property("heading").toBool() &&
          metrics.horizontalAdvance(label->text()) > label->width()) {
        all_fit = false;
      }
    }
    if (all_fit) break;
  }
  for (QLabel* label : labels) {
    if (label->property("heading").toBool()) label->setFont(font);
  }
}

QPushButton* PictureButton(QWidget* parent, const char* name, const char* icon,
                           const char* tip, int left, int top) {
  auto* button = Place(new QPushButton(parent), name, left, top, 37, 37);
  button->setIcon(QIcon(QString::fromLatin1(icon)));
  button->setIconSize(QSize(kButtonIconSize, kButtonIconSize));
  button->setToolTip(QString::fromLatin1(tip));
  return button;
}

QComboBox* DropDown(QWidget* parent, const char* name,
                    const QStringList& entries, int left, int top, int width,
                    int height) {
  auto* box = Place(new QComboBox(parent), name, left, top, width, height);
  box->addItems(entries);  // not editable: only the listed entries
  return box;
}

}  // namespace

void FrmConvert::BuildControls() {
  QFont font("DejaVu Sans");
  font.setPixelSize(kFontPixels);
  setFont(font);

  Image1 = Place(new QLabel(this), "Image1", 0, 0, 69, 402);
  Image1->setPixmap(QPixmap(":/artwork/image1.png"));

  Heading(this, "Label2", "DRIVE(S)", 90, 30, 44, 13);
  DrvList = Place(new DriveList(this), "DrvList", 90, 46, 217, 24);
  Heading(this, "Label1", "DIRECTORIES", 90, 80, 68, 13);
  DirList = Place(new FolderList(this), "DirList", 90, 96, 217, 142);
  DirList->setIconSize(QSize(16, 16));
  DrvList->setIconSize(QSize(16, 16));
  Heading(this, "Label4", "FILE(S)", 92, 248, 35, 13);
  FiList = Place(new QListWidget(this), "FiList", 90, 264, 217, 94);
  FiList->setToolTip("Your Pricelists");

  BtnDBF = PictureButton(this, "BtnDBF", ":/artwork/btn_dbf.png",
                         "Convert DBF Files", 330, 66);
  BtnCSV = PictureButton(this, "BtnCSV", ":/artwork/btn_csv.png",
                         "Convert CSV Files", 372, 66);
  nDate = Place(new QCheckBox(this), "nDate", 322, 116, 13, 15);
  nDate->setToolTip("Check to deduct discount");
  Heading(this, "Label9", "NO DATE", 340, 116, 45, 14);

  Heading(this, "Label7", "DISC. LVL", 322, 154, 49, 14);
  CmbDisc = DropDown(this, "CmbDisc", {"0", "1", "2", "3", "4", "5"}, 376, 152,
                     41, 21);
  Heading(this, "Label5", "DISC. FORMAT", 322, 178, 72, 14);
  CmbDSFormat =
      DropDown(this, "CmbDSFormat", {"0.##", "100%"}, 322, 194, 95, 21);
  Heading(this, "Label24", "MAX SPACE", 322, 232, 56, 13);
  txtSpace = Place(new QLineEdit(this), "txtSpace", 322, 246, 95, 21);
  txtSpace->setMaxLength(2);
  Heading(this, "Label6", "ROUND DOWN", 322, 272, 71, 13);
  // The caption "Round" is there for screen readers; the box's width hides it.
  ChRound = Place(new QCheckBox("Round", this), "ChRound", 322, 290, 13, 15);
  ChRound->setToolTip("Check to round up your price figure");
  cRndNum = DropDown(this, "cRndNum", {"0", "1", "2", "3"}, 340, 286, 77, 21);
  cRndNum->setToolTip("Digits after decimal points.");
  cRndNum->setEnabled(false);

  BtnRead = PictureButton(this, "BtnRead", ":/artwork/btn_read.png",
                          "Read Price File", 332, 322);
  BtnWrite = PictureButton(this, "BtnWrite", ":/artwork/btn_write.png",
                           "Convert into Octonus Format.", 374, 322);

  Heading(this, "Label3", "PRICE FILE(S)", 428, 32, 68, 13);
  CHKall = Place(new QCheckBox(this), "CHKall", 558, 30, 13, 15);
  Heading(this, "Label8", "SELECT ALL", 574, 30, 71, 14);
  List = Place(new QListWidget(this), "List", 426, 48, 217, 310);
  List->setToolTip("Your Pricelists");
  List->setSelectionMode(QAbstractItemView::SingleSelection);
  // Every entry is one line of the same font. Without saying so the list
  // measures the text of every entry again each time a converted sheet is
  // unticked: with hundreds of sheets that cost more than converting them.
  List->setUniformItemSizes(true);

  FitHeadings(*this);
  BuildProgressPanel();
  BuildMenu();
  SetTabOrder();
}

void FrmConvert::BuildProgressPanel() {
  pPic = Place(new QLabel(this), "pPic", 88, 364, 555, 37);
  pPic->setPixmap(QPixmap(":/artwork/progress.png"));
  pCap = Place(new QLabel("Please wait...", pPic), "pCap", 4, 2, 191, 13);
  pBar = Place(new QProgressBar(pPic), "pBar", 2, 16, 517, 17);
  pBar->setTextVisible(false);
  // A bar of plain blocks: Fusion's has gradients and diagonal stripes, and
  // at thirty repaints a second painting them cost a good part of what the
  // conversion itself does.
  if (QStyle* blocks = QStyleFactory::create("Windows")) {
    blocks->setParent(pBar);
    pBar->setStyle(blocks);
  }
  pBar->setRange(0, 100);
  pBar->setValue(0);
  pVal = Place(new QLabel("0%", pPic), "pVal", 519, 16, 33, 16);
  pVal->setAlignment(Qt::AlignCenter);
  pPic->hide();
}

void FrmConvert::BuildMenu() {
  MnuFile = new QMenu("File", this);
  MnuFile->setObjectName("MnuFile");
  MnuRegistry = MnuFile->addAction("Registry");
  MnuRegistry->setObjectName("MnuRegistry");
  MnuOpenFolder = MnuFile->addAction("Open Application Folder");
  MnuOpenFolder->setObjectName("MnuOpenFolder");
  MnuExit = MnuFile->addAction("Exit");
  MnuExit->setObjectName("MnuExit");
}

void FrmConvert::SetTabOrder() {
  QWidget* order[] = {DrvList,     DirList,  BtnDBF,   nDate,   CmbDisc,
                      CmbDSFormat, BtnCSV,   txtSpace, ChRound, cRndNum,
                      BtnRead,     BtnWrite, CHKall,   List,    FiList};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
}

}  // namespace tarnwick::app
