#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "presentation/ControlDesign.h"
#include "presentation/MemoryControls.h"
#include "presentation/SettingsLayout.h"
#include "ui/InputBox.h"
#include "ui/LedShape.h"
#include "ui/ListCombo.h"
#include "ui/MainWindowWidgets.h"
#include "ui/QtControls.h"

namespace tessaro {
namespace {

using namespace control_design;

constexpr const char* DesignReadCaption = "Lezen";
constexpr const char* DesignWriteCaption = "Schrijven";

// Rows of the ESPA tab, top to bottom.
constexpr int EspaRows[] = {21, 20, 10, 11, 12, 13, 14, 17, 5, 7, 15, 19, 18};

QString IndexedName(const char* array, int index) {
  return QString::fromLatin1(array) + QLatin1Char('_') + QString::number(index);
}

// Borderless boxes that read as part of the page they sit on.
void SetBackgroundToPage(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, Qt::transparent);
  widget.setPalette(palette);
}

class Builder {
 public:
  Builder(QMainWindow& window, ControlArrays& arrays) : window_(window), arrays_(arrays) {}

  MainWindowWidgets Build() {
    BuildMenu();
    auto* central = new QWidget(&window_);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(BuildTopStrip(central));
    w_.SSTab1 = new QTabWidget(central);
    w_.SSTab1->setObjectName(QStringLiteral("SSTab1"));
    layout->addWidget(w_.SSTab1, 1);
    window_.setCentralWidget(central);

    w_.SSTab1->addTab(BuildStatusTab(), QString());
    w_.SSTab1->addTab(BuildSettingsTab(), QString());
    w_.SSTab1->addTab(BuildFileTab(), QString());
    w_.SSTab1->addTab(BuildUnitTab(), QString());
    w_.SSTab1->addTab(BuildServiceTab(), QString());
    // The service tab comes into view with the working layout at start-up.
    w_.SSTab1->setTabVisible(4, false);

    AddSpareMembers();
    return w_;
  }

 private:
  // ---- the small parts every tab is made of

  QLabel* CharLegend(int index, QWidget* parent, const char* designText = "") {
    auto* label = new QLabel(QString::fromLatin1(designText), parent);
    label->setObjectName(IndexedName("TxtLegendaCharInput", index));
    w_.TxtLegendaCharInput[index] = label;
    arrays_.txtLegendaCharInput.Put(index, std::make_unique<LegendControl>(*label, CharLegendShownAtLoad(index)));
    return label;
  }

  QLabel* TekstLegend(int index, QWidget* parent, const char* designText = "") {
    auto* label = new QLabel(QString::fromLatin1(designText), parent);
    label->setObjectName(IndexedName("TxtLegendaTekstInput", index));
    w_.TxtLegendaTekstInput[index] = label;
    arrays_.txtLegendaTekstInput.Put(index, std::make_unique<LegendControl>(*label, true));
    return label;
  }

  ListCombo* SettingCombo(int index, QWidget* parent) {
    auto* combo = new ListCombo(parent);
    combo->setObjectName(IndexedName("ComboInstellingen", index));
    combo->setMinimumWidth(230);
    w_.ComboInstellingen[index] = combo;
    arrays_.comboInstellingen.Put(index, std::make_unique<ComboBoxControl>(*combo, ComboShownAtLoad(index)));
    return combo;
  }

  InputBox* CharBox(int index, QWidget* parent) {
    auto* box = new InputBox(parent);
    box->setObjectName(IndexedName("TxtCharInput", index));
    box->SetInputLimit(3);
    box->SetEntry(index >= 31 && index <= 40 ? InputBox::Entry::SelectAll : InputBox::Entry::KeepCaret);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    box->setAlignment(Qt::AlignRight);
    w_.TxtCharInput[index] = box;
    arrays_.txtCharInput.Put(index, std::make_unique<LineEditControl>(*box, true));
    return box;
  }

  QPushButton* Button(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
  }

  // The read and write buttons of one item, in a debug frame or on a tab.
  void ItemButtons(int index, QGridLayout& grid, int row, int column, QWidget* parent) {
    auto* read = new QPushButton(QString::fromLatin1(DesignReadCaption), parent);
    read->setObjectName(IndexedName("CmdReadSingleSetting", index));
    auto* write = new QPushButton(QString::fromLatin1(DesignWriteCaption), parent);
    write->setObjectName(IndexedName("CmdWriteSingleSetting", index));
    w_.CmdReadSingleSetting[index] = read;
    w_.CmdWriteSingleSetting[index] = write;
    arrays_.cmdReadSingleSetting.Put(index, std::make_unique<PushButtonControl>(*read, ItemButtonShownAtLoad(index)));
    arrays_.cmdWriteSingleSetting.Put(index, std::make_unique<PushButtonControl>(*write, ItemButtonShownAtLoad(index)));
    grid.addWidget(read, row, column);
    grid.addWidget(write, row, column + 1);
  }

  // A debug frame row: the item number, then its two buttons.
  void DebugItemButtons(int index, QGridLayout& grid, int row, int column, QWidget* frame) {
    auto* number = new QLabel(QString::number(index), frame);
    number->setEnabled(false);
    grid.addWidget(number, row, column, Qt::AlignRight);
    ItemButtons(index, grid, row, column + 1, frame);
  }

  QGroupBox* DebugFrame(const char* name, QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
  }

  // ---- window parts

  void BuildMenu() {
    QMenuBar* bar = window_.menuBar();
    w_.Setup = bar->addAction(QString());
    w_.Setup->setObjectName(QStringLiteral("Setup"));
    w_.Quit = bar->addAction(QString());
    w_.Quit->setObjectName(QStringLiteral("Quit"));
    w_.About = bar->addAction(QString());
    w_.About->setObjectName(QStringLiteral("About"));
  }

  QLayout* BuildTopStrip(QWidget* parent) {
    auto* strip = new QHBoxLayout;
    w_.FrmCommunicatie = new QGroupBox(parent);
    w_.FrmCommunicatie->setObjectName(QStringLiteral("FrmCommunicatie"));
    auto* leds = new QHBoxLayout(w_.FrmCommunicatie);
    w_.ShpTx = new LedShape(QColor(0xC0, 0x00, 0x00), w_.FrmCommunicatie);
    w_.ShpTx->setObjectName(QStringLiteral("ShpTx"));
    w_.ShpRx = new LedShape(QColor(0x00, 0xC0, 0x00), w_.FrmCommunicatie);
    w_.ShpRx->setObjectName(QStringLiteral("ShpRx"));
    w_.Label4[1] = new QLabel(QStringLiteral("TxD"), w_.FrmCommunicatie);
    w_.Label4[1]->setObjectName(QStringLiteral("Label4_1"));
    w_.Label4[2] = new QLabel(QStringLiteral("RxD"), w_.FrmCommunicatie);
    w_.Label4[2]->setObjectName(QStringLiteral("Label4_2"));
    leds->addWidget(w_.ShpTx);
    leds->addWidget(w_.Label4[1]);
    leds->addSpacing(16);
    leds->addWidget(w_.ShpRx);
    leds->addWidget(w_.Label4[2]);
    leds->addStretch(1);
    w_.FrmCommunicatie->setMinimumWidth(220);
    strip->addWidget(w_.FrmCommunicatie);
    strip->addStretch(1);
    return strip;
  }

  QWidget* BuildStatusTab() {
    auto* page = new QWidget;
    auto* lines = new QVBoxLayout(page);
    lines->setSpacing(0);
    for (int index = 0; index < MessageBoxCount; ++index) {
      auto* line = new QLineEdit(page);
      line->setObjectName(IndexedName("Text2", index));
      line->setFrame(false);
      SetBackgroundToPage(*line);
      w_.Text2[static_cast<std::size_t>(index)] = line;
      lines->addWidget(line);
    }
    lines->addStretch(1);
    return page;
  }

  QWidget* BuildSettingsTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    w_.SSTab2 = new QTabWidget(page);
    w_.SSTab2->setObjectName(QStringLiteral("SSTab2"));
    layout->addWidget(w_.SSTab2);
    w_.SSTab2->addTab(BuildGeneralTab(), QString());
    w_.SSTab2->addTab(BuildTcpIpTab(), QString());
    w_.SSTab2->addTab(BuildEspaTab(), QString());
    // The pages of unused items and per-item buttons; start-up hides them.
    for (const char* caption : {"Niet gebruikte CHAR", "Niet gebruikte INT", "Niet gebruikte TEKST",
                                "Button CHAR", "Button INT", "Button TEKST"}) {
      w_.SSTab2->addTab(new QWidget, QString::fromLatin1(caption));
    }
    return page;
  }

  QWidget* BuildGeneralTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(CharLegend(0, page), 0, 0);
    grid->addWidget(SettingCombo(0, page), 0, 1);
    ItemButtons(0, *grid, 0, 2, page);
    grid->addWidget(CharLegend(22, page), 1, 0);
    grid->addWidget(SettingCombo(22, page), 1, 1);
    grid->addWidget(CharLegend(23, page), 2, 0);
    grid->addWidget(CharBox(23, page), 2, 1, Qt::AlignLeft);

    w_.FrameDebugCmdButtonsAlgemeen = DebugFrame("FrameDebugCmdButtonsAlgemeen", page);
    auto* buttons = new QGridLayout(w_.FrameDebugCmdButtonsAlgemeen);
    DebugItemButtons(22, *buttons, 0, 0, w_.FrameDebugCmdButtonsAlgemeen);
    DebugItemButtons(23, *buttons, 1, 0, w_.FrameDebugCmdButtonsAlgemeen);
    // A service tool, so it shares the frame's debug-only visibility.
    w_.CmdResetUnit = Button("CmdResetUnit", w_.FrameDebugCmdButtonsAlgemeen);
    w_.CmdResetUnit->setText(QStringLiteral("Reset unit"));
    buttons->addWidget(w_.CmdResetUnit, 2, 1, 1, 2);
    grid->addWidget(w_.FrameDebugCmdButtonsAlgemeen, 1, 2, 3, 2, Qt::AlignTop);

    grid->setColumnStretch(4, 1);
    grid->setRowStretch(4, 1);
    return page;
  }

  QWidget* BuildTcpIpTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    top->addLayout(grid);
    CharLegend(31, page)->setToolTip(QString::fromLatin1(StaticIpToolTip));
    grid->addWidget(w_.TxtLegendaCharInput[31], 0, 0);
    for (int index = 31; index <= 34; ++index) grid->addWidget(CharBox(index, page), 0, index - 30);
    grid->addWidget(CharLegend(35, page), 1, 0);
    grid->addWidget(CharBox(36, page), 1, 1);  // high byte on the left
    grid->addWidget(CharBox(35, page), 1, 2);
    grid->addWidget(CharLegend(37, page), 2, 0);
    for (int index = 37; index <= 40; ++index) grid->addWidget(CharBox(index, page), 2, index - 36);
    grid->addWidget(CharLegend(41, page, "Subnet: "), 3, 0);
    grid->addWidget(SettingCombo(41, page), 3, 1, 1, 4);

    w_.FrameDebugCmdButtonsIPSet = DebugFrame("FrameDebugCmdButtonsIPSet", page);
    auto* buttons = new QGridLayout(w_.FrameDebugCmdButtonsIPSet);
    for (int index = 31; index <= 41; ++index) {
      const int row = index <= 36 ? index - 31 : index - 37;
      DebugItemButtons(index, *buttons, row, index <= 36 ? 0 : 3, w_.FrameDebugCmdButtonsIPSet);
    }
    top->addSpacing(12);
    top->addWidget(w_.FrameDebugCmdButtonsIPSet, 0, Qt::AlignTop);
    top->addStretch(1);

    layout->addWidget(BuildDiagnosticFrame(page));
    layout->addStretch(1);
    return page;
  }

  QGroupBox* BuildDiagnosticFrame(QWidget* page) {
    w_.FrameDiagnostischeIPinfo = new QGroupBox(QString::fromLatin1(DiagnosticFrameCaption), page);
    QGroupBox* frame = w_.FrameDiagnostischeIPinfo;
    frame->setObjectName(QStringLiteral("FrameDiagnostischeIPinfo"));
    auto* grid = new QGridLayout(frame);
    const char* designLegends[] = {"", "", "", "Subnet", "NameServer:"};
    for (int index = 0; index < 5; ++index) {
      grid->addWidget(TekstLegend(index, frame, designLegends[index]), index, 0);
      auto* box = new InputBox(frame);
      box->setObjectName(IndexedName("TxtTekstInput", index));
      box->setReadOnly(true);
      box->SetInputLimit(20);
      box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 22);
      w_.TxtTekstInput[index] = box;
      arrays_.txtTekstInput.Put(index, std::make_unique<LineEditControl>(*box, true));
      grid->addWidget(box, index, 1);
    }
    w_.CmdReadIPdiagnose = Button("CmdReadIPdiagnose", frame);
    grid->addWidget(w_.CmdReadIPdiagnose, 5, 1, Qt::AlignLeft);

    w_.FrameDebugCmdButtonsIPdiagnose = DebugFrame("FrameDebugCmdButtonsIPdiagnose", frame);
    auto* buttons = new QVBoxLayout(w_.FrameDebugCmdButtonsIPdiagnose);
    for (int index = 0; index < 5; ++index) {
      auto* read = new QPushButton(QString::fromLatin1(DesignReadCaption), w_.FrameDebugCmdButtonsIPdiagnose);
      read->setObjectName(IndexedName("CmdReadSingleTekstSetting", index));
      w_.CmdReadSingleTekstSetting[index] = read;
      arrays_.cmdReadSingleTekstSetting.Put(index, std::make_unique<PushButtonControl>(*read, true));
      buttons->addWidget(read);
    }
    grid->addWidget(w_.FrameDebugCmdButtonsIPdiagnose, 0, 2, 6, 1, Qt::AlignTop);
    grid->setColumnStretch(3, 1);
    return frame;
  }

  QWidget* BuildEspaTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    int row = 0;
    for (int index : EspaRows) {
      grid->addWidget(CharLegend(index, page), row, 0);
      grid->addWidget(SettingCombo(index, page), row, 1);
      ++row;
    }
    w_.FrameDebugCmdButtonsPaging = DebugFrame("FrameDebugCmdButtonsPaging", page);
    auto* buttons = new QGridLayout(w_.FrameDebugCmdButtonsPaging);
    row = 0;
    for (int index : EspaRows) DebugItemButtons(index, *buttons, row++, 0, w_.FrameDebugCmdButtonsPaging);
    grid->addWidget(w_.FrameDebugCmdButtonsPaging, 0, 2, row, 1, Qt::AlignTop);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
    return page;
  }

  QWidget* BuildFileTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* frames = new QHBoxLayout;
    layout->addLayout(frames);

    w_.FrameUnitInstellingen = new QGroupBox(page);
    w_.FrameUnitInstellingen->setObjectName(QStringLiteral("FrameUnitInstellingen"));
    auto* unit = new QHBoxLayout(w_.FrameUnitInstellingen);
    w_.CmdInstellingenOpslaan = Button("CmdInstellingenOpslaan", w_.FrameUnitInstellingen);
    w_.CmdInstellingenLezen = Button("CmdInstellingenLezen", w_.FrameUnitInstellingen);
    unit->addWidget(w_.CmdInstellingenOpslaan);
    unit->addWidget(w_.CmdInstellingenLezen);

    w_.FrameAlleInstellingen = new QGroupBox(page);
    w_.FrameAlleInstellingen->setObjectName(QStringLiteral("FrameAlleInstellingen"));
    auto* all = new QHBoxLayout(w_.FrameAlleInstellingen);
    w_.CmdOpslaanUnitGegevens = Button("CmdOpslaanUnitGegevens", w_.FrameAlleInstellingen);
    w_.CmdLezenUnitgegevens = Button("CmdLezenUnitgegevens", w_.FrameAlleInstellingen);
    all->addWidget(w_.CmdOpslaanUnitGegevens);
    all->addWidget(w_.CmdLezenUnitgegevens);

    frames->addWidget(w_.FrameUnitInstellingen, 1);
    frames->addWidget(w_.FrameAlleInstellingen, 1);
    layout->addStretch(1);
    return page;
  }

  QWidget* BuildUnitTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    w_.TxtProgress = new QPlainTextEdit(page);
    w_.TxtProgress->setObjectName(QStringLiteral("TxtProgress"));
    w_.TxtProgress->setReadOnly(true);
    w_.TxtProgress->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = w_.TxtProgress->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::Text, QColor(0x00, 0x00, 0xFF));
    w_.TxtProgress->setPalette(palette);
    layout->addWidget(w_.TxtProgress, 1);

    w_.ProgressBarProgrammeren = new QProgressBar(page);
    w_.ProgressBarProgrammeren->setObjectName(QStringLiteral("ProgressBarProgrammeren"));
    w_.ProgressBarProgrammeren->setVisible(false);
    layout->addWidget(w_.ProgressBarProgrammeren);

    auto* buttons = new QGridLayout;
    w_.CmdWisLogVenster = Button("CmdWisLogVenster", page);
    w_.CmdLeesAlles = Button("CmdLeesAlles", page);
    w_.CmdCancelReadWrite = Button("CmdCancelReadWrite", page);
    w_.CmdSchrijfAlles = Button("CmdSchrijfAlles", page);
    buttons->addWidget(w_.CmdWisLogVenster, 0, 0);
    buttons->addWidget(w_.CmdLeesAlles, 0, 1);
    buttons->addWidget(w_.CmdCancelReadWrite, 1, 0);
    buttons->addWidget(w_.CmdSchrijfAlles, 1, 1);
    layout->addLayout(buttons);
    return page;
  }

  QWidget* BuildServiceTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    w_.FramePagerOproepen = new QGroupBox(page);
    w_.FramePagerOproepen->setObjectName(QStringLiteral("FramePagerOproepen"));
    auto* grid = new QGridLayout(w_.FramePagerOproepen);

    w_.TxtLegendaTestOproepAdres = new QLabel(w_.FramePagerOproepen);
    w_.TxtLegendaTestOproepAdres->setObjectName(QStringLiteral("TxtLegendaTestOproepAdres"));
    w_.TxtTestPagerAdres = new InputBox(w_.FramePagerOproepen);
    w_.TxtTestPagerAdres->setObjectName(QStringLiteral("TxtTestPagerAdres"));
    w_.TxtTestPagerAdres->SetInputLimit(10);
    w_.TxtTestPagerAdres->SetClearOnDoubleClick(true);

    w_.TxtLegendaTestOproepBleepcode = new QLabel(w_.FramePagerOproepen);
    w_.TxtLegendaTestOproepBleepcode->setObjectName(QStringLiteral("TxtLegendaTestOproepBleepcode"));
    w_.ComboTestBleepCode = new ListCombo(w_.FramePagerOproepen);
    w_.ComboTestBleepCode->setObjectName(QStringLiteral("ComboTestBleepCode"));
    arrays_.comboTestBleepCode = std::make_unique<ComboBoxControl>(*w_.ComboTestBleepCode, false);

    w_.TxtLegendaTestOproepBericht = new QLabel(w_.FramePagerOproepen);
    w_.TxtLegendaTestOproepBericht->setObjectName(QStringLiteral("TxtLegendaTestOproepBericht"));
    w_.TxtTestPagerDisplayInfo = new InputBox(w_.FramePagerOproepen);
    w_.TxtTestPagerDisplayInfo->setObjectName(QStringLiteral("TxtTestPagerDisplayInfo"));
    w_.TxtTestPagerDisplayInfo->SetInputLimit(40);
    w_.TxtTestPagerDisplayInfo->SetClearOnDoubleClick(true);
    w_.TxtTestPagerDisplayInfo->setMinimumWidth(
        w_.TxtTestPagerDisplayInfo->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);

    w_.CmdTestOproepPager = Button("CmdTestOproepPager", w_.FramePagerOproepen);

    grid->addWidget(w_.TxtLegendaTestOproepAdres, 0, 0);
    grid->addWidget(w_.TxtTestPagerAdres, 0, 1, Qt::AlignLeft);
    grid->addWidget(w_.TxtLegendaTestOproepBleepcode, 1, 0);
    grid->addWidget(w_.ComboTestBleepCode, 1, 1, Qt::AlignLeft);
    grid->addWidget(w_.TxtLegendaTestOproepBericht, 2, 0);
    grid->addWidget(w_.TxtTestPagerDisplayInfo, 2, 1);
    grid->addWidget(w_.CmdTestOproepPager, 0, 2, 3, 1, Qt::AlignVCenter);
    grid->setColumnStretch(1, 1);

    layout->addWidget(w_.FramePagerOproepen);
    layout->addStretch(1);
    return page;
  }

  // Members that no page of the user's shows: the items the program does
  // not use. They exist so that every index of the design can be looked up,
  // and are kept in memory only.
  void AddSpareMembers() {
    for (int index = 0; index < arrays_.comboInstellingen.Size(); ++index) {
      if (ComboPresent(index) && arrays_.comboInstellingen(index) == nullptr) {
        arrays_.comboInstellingen.Put(index, std::make_unique<MemoryCombo>(ComboShownAtLoad(index)));
      }
    }
    for (int index = 0; index < arrays_.txtLegendaCharInput.Size(); ++index) {
      if (arrays_.txtLegendaCharInput(index) == nullptr) {
        arrays_.txtLegendaCharInput.Put(index, std::make_unique<MemoryTextBox>(CharLegendShownAtLoad(index)));
      }
    }
    for (int index = 0; index < arrays_.cmdReadSingleSetting.Size(); ++index) {
      if (arrays_.cmdReadSingleSetting(index) == nullptr) {
        arrays_.cmdReadSingleSetting.Put(index, std::make_unique<MemoryButton>(ItemButtonShownAtLoad(index)));
        arrays_.cmdWriteSingleSetting.Put(index, std::make_unique<MemoryButton>(ItemButtonShownAtLoad(index)));
      }
    }
    for (int index = 0; index < arrays_.txtLegendaTekstInput.Size(); ++index) {
      if (TekstLegendPresent(index) && arrays_.txtLegendaTekstInput(index) == nullptr) {
        arrays_.txtLegendaTekstInput.Put(index, std::make_unique<MemoryTextBox>(true));
      }
    }
    for (int index = 0; index < arrays_.txtIntInput.Size(); ++index) {
      arrays_.txtIntInput.Put(index, std::make_unique<MemoryTextBox>(true));
    }
    for (int index = 0; index < arrays_.txtLegendaIntInput.Size(); ++index) {
      if (IntLegendPresent(index)) arrays_.txtLegendaIntInput.Put(index, std::make_unique<MemoryTextBox>(true));
    }
  }

  QMainWindow& window_;
  ControlArrays& arrays_;
  MainWindowWidgets w_;
};

}  // namespace

MainWindowWidgets BuildMainWindowWidgets(QMainWindow& window, ControlArrays& arrays) {
  return Builder(window, arrays).Build();
}

}  // namespace tessaro
