#include "ui/AboutBox.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "program/TessaroProgram.h"
#include "messages/TextFormat.h"
#include "ui/InsetFrame.h"
#include "ui/PortTexts.h"
#include "ui/ProgramIcon.h"
#include "ui/QtText.h"

namespace tessaro {
namespace {

// The same in every language.
constexpr const char* NoticeLine = "Tessaro-IP \u00A9 2026 Tornak\nAuthor: Tornak engineering";
constexpr const char* WebSiteLine = "Please visit our web site:\nwww.tornak.example";

QLabel* BlueLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
  label->setPalette(palette);
  return label;
}

}  // namespace

AboutBox::AboutBox(TessaroProgram& program, MainWindowView& mainWindow, UserPrompts& prompts, QWidget& owner)
    : SecondaryWindow(owner, prompts), program_(program), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowIcon(ProgramIcon());
  BuildControls();
  Form_Load();
  CentreOnScreen();
}

void AboutBox::BuildControls() {
  auto* layout = new QVBoxLayout(this);

  w_.FrameLogo = new InsetFrame(this);
  w_.FrameLogo->setObjectName(QStringLiteral("FrameLogo"));
  w_.FrameLogo->setFrameShape(QFrame::StyledPanel);
  // The labels inside pass their clicks on, so the whole area is the target.
  w_.FrameLogo->installEventFilter(this);
  auto* logoRow = new QHBoxLayout(w_.FrameLogo);

  w_.Image1 = new QLabel(w_.FrameLogo);
  w_.Image1->setObjectName(QStringLiteral("Image1"));
  w_.Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.png")));
  w_.Image1->setScaledContents(true);
  w_.Image1->setFixedSize(176, 93);
  logoRow->addWidget(w_.Image1, 0, Qt::AlignVCenter);

  auto* lines = new QVBoxLayout;
  w_.Label3 = BlueLabel("Label3", NoticeLine, w_.FrameLogo);
  w_.Label6 = BlueLabel("Label6", WebSiteLine, w_.FrameLogo);
  lines->addWidget(w_.Label3);
  lines->addSpacing(8);
  lines->addWidget(w_.Label6);
  lines->addStretch(1);
  logoRow->addSpacing(8);
  logoRow->addLayout(lines, 1);
  layout->addWidget(w_.FrameLogo, 1);

  // Installed, the program keeps its files in the user's data folder; the
  // engineer must be able to find them.
  w_.LabelProgramFolder = new QLabel(this);
  w_.LabelProgramFolder->setObjectName(QStringLiteral("LabelProgramFolder"));
  w_.LabelProgramFolder->setTextFormat(Qt::PlainText);
  w_.LabelProgramFolder->setWordWrap(true);
  w_.LabelProgramFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(w_.LabelProgramFolder);

  w_.Label4 = new QLabel(this);
  w_.Label4->setObjectName(QStringLiteral("Label4"));
  w_.Label4->setTextFormat(Qt::PlainText);
  QPalette palette = w_.Label4->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  w_.Label4->setPalette(palette);
  w_.CmdSluit = new QPushButton(this);
  w_.CmdSluit->setObjectName(QStringLiteral("CmdSluit"));
  w_.CmdSluit->setMinimumWidth(100);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(w_.Label4);
  bottom->addStretch(1);
  bottom->addWidget(w_.CmdSluit);
  layout->addLayout(bottom);

  connect(w_.CmdSluit, &QPushButton::clicked, this, [this] { close(); });
  SetDefaultButton(w_.CmdSluit);
  SetEscapeButton(w_.CmdSluit);
  resize(398, 191);
}

void AboutBox::Form_Load() {
  const LanguageTexts& taal = program_.Texts;
  w_.CmdSluit->setText(CaptionText(taal.Text(slot::Close)));
  setWindowTitle(ToQString(taal.Text(slot::About)));
  w_.Label4->setText(ToQString(taal.Text(slot::SwVersion) + " " + IntText(TESSARO_VERSION_MAJOR) + "." +
                               IntText(TESSARO_VERSION_MINOR)));
  w_.LabelProgramFolder->setText(PortTextIn(PortText::ProgramFolder, program_.Settings.Taal) + QStringLiteral(": ") +
                                 QStringFromPath(program_.Files.ProgramSettingsPath().parent_path()));
}

void AboutBox::FrameLogo_DblClick() {
  int16_t& level = program_.Store.DebugLevel;
  level = static_cast<int16_t>(level + 1);
  if (level > 2) level = 0;
  mainWindow_.SetDebugFramesVisible(level == 2);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == w_.FrameLogo && event->type() == QEvent::MouseButtonDblClick) {
    FrameLogo_DblClick();
    return true;
  }
  return SecondaryWindow::eventFilter(watched, event);
}

}  // namespace tessaro
