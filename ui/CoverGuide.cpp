#include "ui/CoverGuide.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "program/TessaroProgram.h"
#include "ui/QtText.h"

namespace tessaro {
namespace {

constexpr int PageCount = 3;
// Per page: its picture and the text slot of its description.
const char* const PagePictures[PageCount] = {":/pictures/guide-1.png", ":/pictures/guide-2.png",
                                             ":/pictures/guide-3.png"};
constexpr TextSlot PageTexts[PageCount] = {slot::SlideTheLidUp, slot::TurnAScrewdriver, slot::ConnectTheDiagnosePort};

}  // namespace

CoverGuide::CoverGuide(TessaroProgram& program, UserPrompts& prompts, QWidget& owner)
    : SecondaryWindow(owner, prompts), program_(program) {
  setObjectName(QStringLiteral("frmOpenenBehuizing"));
  BuildControls();
  SetTeksten();
  ShowPage(1);
  CentreOnScreen();
}

void CoverGuide::BuildControls() {
  auto* layout = new QVBoxLayout(this);

  // The three pictures share one place; the page decides which one shows.
  auto* pictures = new QGridLayout;
  for (int index = 0; index < PageCount; ++index) {
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image%1").arg(index + 1));
    image->setPixmap(QPixmap(QString::fromLatin1(PagePictures[index])));
    image->setScaledContents(true);
    image->setFixedSize(385, 280);
    image->setFrameShape(QFrame::Box);
    pictures->addWidget(image, 0, 0);
    w_.Image[static_cast<std::size_t>(index)] = image;
  }
  layout->addLayout(pictures);

  w_.LabelBeschrijving = new QLabel(this);
  w_.LabelBeschrijving->setObjectName(QStringLiteral("LabelBeschrijving"));
  w_.LabelBeschrijving->setTextFormat(Qt::PlainText);
  w_.LabelBeschrijving->setWordWrap(true);
  w_.LabelBeschrijving->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  w_.LabelBeschrijving->setFixedHeight(w_.LabelBeschrijving->fontMetrics().lineSpacing() * 2 + 4);
  layout->addWidget(w_.LabelBeschrijving);

  const auto button = [this](const char* name) {
    auto* created = new QPushButton(this);
    created->setObjectName(QString::fromLatin1(name));
    created->setAutoDefault(false);
    created->setMinimumWidth(100);
    return created;
  };
  w_.CmdVorige = button("CmdVorige");
  w_.CmdVolgende = button("CmdVolgende");
  w_.CmdClose = button("CmdClose");
  w_.CheckDontShow = new QCheckBox(this);
  w_.CheckDontShow->setObjectName(QStringLiteral("CheckDontShow"));

  auto* controls = new QGridLayout;
  controls->addWidget(w_.CmdVorige, 0, 1);
  controls->addWidget(w_.CmdVolgende, 0, 2);
  controls->addWidget(w_.CheckDontShow, 1, 0, Qt::AlignLeft | Qt::AlignBottom);
  controls->addWidget(w_.CmdClose, 1, 2);
  controls->setColumnStretch(0, 1);
  layout->addLayout(controls);

  connect(w_.CmdVolgende, &QPushButton::clicked, this, [this] { CmdVolgende_Click(); });
  connect(w_.CmdVorige, &QPushButton::clicked, this, [this] { CmdVorige_Click(); });
  connect(w_.CmdClose, &QPushButton::clicked, this, [this] { close(); });
  SetEscapeButton(w_.CmdClose);
  SetDefaultButton(w_.CmdVolgende);
  resize(405, 418);
}

// Only texts change here; the page keeps its own text.
void CoverGuide::SetTeksten() {
  const LanguageTexts& taal = program_.Texts;
  w_.CmdVolgende->setText(CaptionText(taal.Text(slot::Next)));
  w_.CmdVorige->setText(CaptionText(taal.Text(slot::Previous)));
  w_.CmdClose->setText(CaptionText(taal.Text(slot::Close)));
  w_.CheckDontShow->setText(CaptionText(taal.Text(slot::DontShowAgain)));
  setWindowTitle(ToQString(taal.Text(slot::OpeningTheCover)));
}

int CoverGuide::Page() const {
  for (int index = 0; index < PageCount; ++index) {
    if (!w_.Image[static_cast<std::size_t>(index)]->isHidden()) return index + 1;
  }
  return 1;
}

void CoverGuide::ShowPage(int page) {
  for (int index = 0; index < PageCount; ++index) {
    w_.Image[static_cast<std::size_t>(index)]->setVisible(index + 1 == page);
  }
  w_.LabelBeschrijving->setText(ToQString(program_.Texts.Text(PageTexts[page - 1]) + "."));
  // Enter pages on, and closes the guide once there is nothing more to read.
  SetDefaultButton(page < PageCount ? w_.CmdVolgende : w_.CmdClose);
}

void CoverGuide::CmdVolgende_Click() {
  if (Page() < PageCount) ShowPage(Page() + 1);
}

void CoverGuide::CmdVorige_Click() {
  if (Page() > 1) ShowPage(Page() - 1);
}

void CoverGuide::closeEvent(QCloseEvent* event) {
  if (w_.CheckDontShow->isChecked()) {
    program_.Settings.Case = 1;
    program_.Files.WriteProgramSettings();
  }
  event->accept();
}

}  // namespace tessaro
