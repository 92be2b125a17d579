#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "core/PagerNumber.h"
#include "presentation/ControlDesign.h"
#include "presentation/MemoryControls.h"
#include "lang/TextTableData.h"
#include "presentation/SettingsLayout.h"
#include "ui/InputBox.h"
#include "ui/LedShape.h"
#include "ui/ListCombo.h"
#include "ui/MainWindowWidgets.h"
#include "ui/QtControls.h"
#include "ui/QtText.h"

namespace tessaro {
namespace {

using namespace control_design;

constexpr const char* DesignReadCaption = "Lezen";
constexpr const char* DesignWriteCaption = "Schrijven";

QString IndexedName(const char* array, int index) {
  return QString::fromLatin1(array) + QLatin1Char('_') + QString::number(index);
}

// Borderless boxes that read as part of the page they sit on.
void SetBackgroundToPage(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Base, Qt::transparent);
  widget.setPalette(palette);
}

// Shows a widget exactly while another is shown (to its parent: a hidden
// frame around both does not count).
class VisibilityFollower final : public QObject {
 public:
  VisibilityFollower(QWidget& leader, QWidget& follower) : QObject(&follower), follower_(follower) {
    follower_.setVisible(!leader.isHidden());
    leader.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::ShowToParent) follower_.setVisible(true);
    if (event->type() == QEvent::HideToParent) follower_.setVisible(false);
    return false;
  }

 private:
  QWidget& follower_;
};

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

    // Pages scroll where a small screen cannot hold them.
    for (QWidget* page : {BuildStatusTab(), BuildSettingsTab(), BuildFileTab(), BuildUnitTab(), BuildServiceTab()}) {
      w_.SSTab1->addTab(Scrolling(page), QString());
    }
    // The service tab comes into view with the working layout at start-up.
    w_.SSTab1->setTabVisible(4, false);

    AddSpareMembers();
    return w_;
  }

 private:
  // ---- the small parts every tab is made of

  QLabel* CharLegend(int index, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(IndexedName("TxtLegendaCharInput", index));
    w_.TxtLegendaCharInput[index] = label;
    arrays_.txtLegendaCharInput.Put(index, std::make_unique<LegendControl>(*label, CharLegendShownAtLoad(index)));
    return label;
  }

  QLabel* TekstLegend(int index, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(IndexedName("TxtLegendaTekstInput", index));
    w_.TxtLegendaTekstInput[index] = label;
    arrays_.txtLegendaTekstInput.Put(index, std::make_unique<LegendControl>(*label, true));
    return label;
  }

  ListCombo* SettingCombo(int index, QWidget* parent) {
    auto* combo = new ListCombo(parent);
    combo->setObjectName(IndexedName("ComboInstellingen", index));
    w_.ComboInstellingen[index] = combo;
    arrays_.comboInstellingen.Put(index, std::make_unique<ComboBoxControl>(*combo, ComboShownAtLoad(index)));
    return combo;
  }

  InputBox* CharBox(int index, QWidget* parent) {
    auto* box = new InputBox(parent);
    box->setObjectName(IndexedName("TxtCharInput", index));
    box->SetInputLimit(3);
    box->SetEntry(SelectsAllOnEntry(index) ? InputBox::Entry::SelectAll : InputBox::Entry::KeepCaret);
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

  std::pair<QPushButton*, QPushButton*> ItemButtonPair(int index, QWidget* parent) {
    auto* read = new QPushButton(QString::fromLatin1(DesignReadCaption), parent);
    read->setObjectName(IndexedName("CmdReadSingleSetting", index));
    auto* write = new QPushButton(QString::fromLatin1(DesignWriteCaption), parent);
    write->setObjectName(IndexedName("CmdWriteSingleSetting", index));
    for (QPushButton* button : {read, write}) button->setFixedHeight(RowHeight());
    w_.CmdReadSingleSetting[index] = read;
    w_.CmdWriteSingleSetting[index] = write;
    arrays_.cmdReadSingleSetting.Put(index, std::make_unique<PushButtonControl>(*read, ItemButtonShownAtLoad(index)));
    arrays_.cmdWriteSingleSetting.Put(index, std::make_unique<PushButtonControl>(*write, ItemButtonShownAtLoad(index)));
    return {read, write};
  }

  // The read and write buttons of an item that has them on its own row.
  void ItemButtons(int index, QHBoxLayout* row, QWidget* parent) {
    const auto [read, write] = ItemButtonPair(index, parent);
    row->addWidget(read);
    row->addWidget(write);
  }

  // A debug frame line: the item number, then its buttons (a diagnostic item
  // has a read button only).
  void DebugLine(int16_t item, QGridLayout& grid, int line, int column, QWidget* frame, bool readOnly) {
    auto* number = new QLabel(QString::number(item), frame);
    number->setObjectName(IndexedName("DebugItemNumber", item));
    number->setEnabled(false);
    grid.addWidget(number, line, column, Qt::AlignRight | Qt::AlignVCenter);
    if (readOnly) {
      const int index = item - FirstTekstItem;
      auto* read = new QPushButton(QString::fromLatin1(DesignReadCaption), frame);
      read->setObjectName(IndexedName("CmdReadSingleTekstSetting", index));
      read->setFixedHeight(RowHeight());
      w_.CmdReadSingleTekstSetting[index] = read;
      arrays_.cmdReadSingleTekstSetting.Put(index, std::make_unique<PushButtonControl>(*read, true));
      grid.addWidget(read, line, column + 1);
      new VisibilityFollower(*read, *number);
      return;
    }
    const auto [read, write] = ItemButtonPair(item, frame);
    grid.addWidget(read, line, column + 1);
    grid.addWidget(write, line, column + 2);
    // An item whose buttons stay hidden (23) leaves no number without them.
    new VisibilityFollower(*read, *number);
  }

  // The heading of a group of debug lines: the legend of the row they serve.
  void DebugHeading(int16_t legendItem, QGridLayout& grid, int line, int column, QWidget* frame) {
    auto* heading = new QLabel(frame);
    heading->setObjectName(IndexedName("DebugHeading", legendItem));
    heading->setTextFormat(Qt::PlainText);
    w_.DebugHeadings[legendItem] = heading;
    grid.addWidget(heading, line, column, 1, 3, Qt::AlignLeft | Qt::AlignBottom);
  }

  // A debug frame keeps its room while hidden, so the debug view neither
  // widens the window nor moves a row. A thin border of its own: the style's
  // group box border would set the lines off from the rows they serve.
  QGroupBox* DebugFrame(const char* name, QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setStyleSheet(QStringLiteral("QGroupBox#%1 { border: 1px solid palette(mid); border-radius: 3px; "
                                        "margin: 0px; padding: 0px; }")
                             .arg(frame->objectName()));
    QSizePolicy policy = frame->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    frame->setSizePolicy(policy);
    return frame;
  }

  QScrollArea* Scrolling(QWidget* page) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setWidget(page);
    // The tab's own page colour shows through: a page painting its
    // background would cover the tab frame's bottom edge at 150 %.
    area->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    w_.PageScrolls.push_back(area);
    return area;
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
    leds->addSpacing(16);
    w_.LabelPortState = new QLabel(w_.FrmCommunicatie);
    w_.LabelPortState->setObjectName(QStringLiteral("LabelPortState"));
    w_.LabelPortState->setTextFormat(Qt::PlainText);
    leds->addWidget(w_.LabelPortState);
    leds->addStretch(1);
    w_.FrmCommunicatie->setMinimumWidth(220);
    strip->addWidget(w_.FrmCommunicatie);
    strip->addStretch(1);
    return strip;
  }

  QWidget* BuildStatusTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    // The scroll bar stands beside the lines, as tall as they are.
    auto* beside = new QHBoxLayout;
    layout->addLayout(beside);
    layout->addStretch(1);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(0);
    beside->addLayout(lines, 1);
    w_.Text2ScrollBar = new QScrollBar(Qt::Vertical, page);
    w_.Text2ScrollBar->setObjectName(QStringLiteral("Text2ScrollBar"));
    beside->addWidget(w_.Text2ScrollBar);
    for (int index = 0; index < MessageBoxCount; ++index) {
      auto* line = new QLineEdit(page);
      line->setObjectName(IndexedName("Text2", index));
      line->setFrame(false);
      // Message lines are the program's to write; typing would be overwritten anyway.
      line->setReadOnly(true);
      SetBackgroundToPage(*line);
      w_.Text2[static_cast<std::size_t>(index)] = line;
      lines->addWidget(line);
    }
    return page;
  }

  // ---- the settings pages, built from the settings rows

  // One grid of rows: legend, value cells, then the row's own buttons and
  // the debug frame. Every row has the same height at every debug level, so
  // a frame's lines stay level with the rows they serve.
  struct RowGrid {
    QWidget* parent = nullptr;
    QGridLayout* grid = nullptr;
    int rows = 0;
    std::vector<std::pair<int, int16_t>> itemRows;  // (grid row, item), in row order
    bool oneItemPerRow = true;
  };

  static constexpr int LegendColumn = 0;
  static constexpr int FirstValueColumn = 1;
  static constexpr int ValueColumns = 4;
  static constexpr int ButtonColumn = FirstValueColumn + ValueColumns;

  RowGrid NewRowGrid(QWidget* parent) {
    RowGrid rows;
    rows.parent = parent;
    rows.grid = new QGridLayout;
    rows.grid->setVerticalSpacing(RowSpacing());
    return rows;
  }

  int RowSpacing() const { return w_.SSTab2->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing); }

  // The tallest value control decides; buttons are held to it.
  int RowHeight() {
    if (rowHeight_ == 0) {
      ListCombo combo;
      InputBox box;
      rowHeight_ = std::max(combo.sizeHint().height(), box.sizeHint().height());
    }
    return rowHeight_;
  }

  void AddRow(const SettingsRow& row, RowGrid& rows) {
    const int gridRow = rows.rows++;
    rows.grid->setRowMinimumHeight(gridRow, RowHeight());
    const std::span<const int16_t> legends = row.LegendItems();
    // The first legend box is the row's label; further ones (the port's high
    // byte) carry the same legend in memory only.
    if (!legends.empty()) rows.grid->addWidget(RowLegend(legends.front(), rows.parent), gridRow, LegendColumn);
    int column = FirstValueColumn;
    for (int16_t item : row.Items()) {
      switch (row.control) {
        case RowControl::Combo:
          rows.grid->addWidget(SettingCombo(item, rows.parent), gridRow, FirstValueColumn, 1, ValueColumns,
                               Qt::AlignLeft);
          break;
        case RowControl::CharBoxes:
          rows.grid->addWidget(CharBox(item, rows.parent), gridRow, column++,
                               row.itemCount == 1 ? Qt::AlignLeft : Qt::Alignment());
          break;
        case RowControl::TekstBox:
          rows.grid->addWidget(TekstBox(item, rows.parent), gridRow, FirstValueColumn, 1, ValueColumns);
          break;
      }
      rows.itemRows.emplace_back(gridRow, item);
    }
    if (row.itemCount > 1) rows.oneItemPerRow = false;
  }

  QLabel* RowLegend(int16_t item, QWidget* parent) {
    return item >= FirstTekstItem ? TekstLegend(item - FirstTekstItem, parent) : CharLegend(item, parent);
  }

  InputBox* TekstBox(int16_t item, QWidget* parent) {
    const int index = item - FirstTekstItem;
    auto* box = new InputBox(parent);
    box->setObjectName(IndexedName("TxtTekstInput", index));
    box->setReadOnly(true);
    box->SetInputLimit(20);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 22);
    w_.TxtTekstInput[index] = box;
    arrays_.txtTekstInput.Put(index, std::make_unique<LineEditControl>(*box, true));
    return box;
  }

  // A debug frame beside the rows. Its lines are level with the rows they
  // serve when each row holds one item. Rows of several boxes are served by
  // groups of lines in two columns, each headed by its row's legend and in
  // the boxes' order left to right (36 before 35), so that no line seems to
  // belong to the row it happens to be level with. The frame spans one row
  // more than its lines, an empty row that takes up what the frame's border
  // adds.
  void AddDebugFrame(QGroupBox* frame, RowGrid& rows, bool readOnly, QPushButton* extra = nullptr) {
    std::vector<std::pair<int, int16_t>> lines;
    for (const auto& [gridRow, item] : rows.itemRows) {
      // Every other item's buttons are a debug tool in the frame.
      if (CarriesReadWriteButtons(item)) {
        auto* own = new QHBoxLayout;
        ItemButtons(item, own, rows.parent);
        rows.grid->addLayout(own, gridRow, ButtonColumn, Qt::AlignLeft);
      } else {
        lines.emplace_back(gridRow, item);
      }
    }
    if (lines.empty()) return;
    auto* inner = new QGridLayout(frame);
    inner->setVerticalSpacing(RowSpacing());
    const int margin = inner->contentsMargins().left();
    inner->setContentsMargins(margin, 0, margin, 0);
    const int firstRow = rows.oneItemPerRow ? lines.front().first : 0;
    int lastLine = 0;
    if (rows.oneItemPerRow) {
      for (const auto& [gridRow, item] : lines) {
        const int line = gridRow - firstRow;
        inner->setRowMinimumHeight(line, RowHeight());
        DebugLine(item, *inner, line, 0, frame, readOnly);
        lastLine = std::max(lastLine, line);
      }
    } else {
      lastLine = AddGroupedDebugLines(lines, *inner, frame, readOnly);
    }
    if (extra != nullptr) {
      extra->setParent(frame);
      extra->setFixedHeight(RowHeight());
      inner->setRowMinimumHeight(lastLine + 1, RowHeight());
      inner->addWidget(extra, lastLine + 1, 1, 1, 2);
    }
    const int spannedRows = rows.rows - firstRow + 1;
    rows.grid->addWidget(frame, firstRow, ButtonColumn, spannedRows, 1, Qt::AlignTop | Qt::AlignLeft);
  }

  // The lines of rows with several boxes: per row a heading and a line per
  // box, the groups filling the first column, then the second. Gives the
  // last line used.
  int AddGroupedDebugLines(const std::vector<std::pair<int, int16_t>>& lines, QGridLayout& grid, QWidget* frame,
                           bool readOnly) {
    std::vector<std::vector<int16_t>> groups;
    int previousRow = -1;
    for (const auto& [gridRow, item] : lines) {
      if (groups.empty() || gridRow != previousRow) groups.emplace_back();
      groups.back().push_back(item);
      previousRow = gridRow;
    }
    int total = 0;
    for (const auto& group : groups) total += 1 + static_cast<int>(group.size());
    const int perColumn = (total + 1) / 2;
    int column = 0;
    int line = 0;
    int lastLine = 0;
    for (const auto& group : groups) {
      const int needed = 1 + static_cast<int>(group.size());
      if (column == 0 && line > 0 && line + needed > perColumn) {
        column = 3;
        line = 0;
      }
      const SettingsRow* row = RowOfItem(group.front());
      grid.setRowMinimumHeight(line, RowHeight());
      DebugHeading(row != nullptr ? row->LegendItems().front() : group.front(), grid, line++, column, frame);
      for (int16_t item : group) {
        grid.setRowMinimumHeight(line, RowHeight());
        DebugLine(item, grid, line++, column, frame, readOnly);
      }
      lastLine = std::max(lastLine, line - 1);
    }
    return lastLine;
  }

  // Closes a grid of rows: the spare row below takes any height left over.
  void FinishRows(RowGrid& rows) {
    rows.grid->setRowStretch(rows.rows, 1);
    rows.grid->setColumnStretch(ButtonColumn + 1, 1);
  }

  QWidget* BuildSettingsTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    w_.SSTab2 = new QTabWidget(page);
    w_.SSTab2->setObjectName(QStringLiteral("SSTab2"));
    layout->addWidget(w_.SSTab2);

    std::array<QWidget*, SettingsTabCount> pages{};
    std::array<RowGrid, SettingsTabCount> grids{};
    for (int tab = 0; tab < SettingsTabCount; ++tab) {
      pages[static_cast<std::size_t>(tab)] = new QWidget;
      grids[static_cast<std::size_t>(tab)] = NewRowGrid(pages[static_cast<std::size_t>(tab)]);
    }
    QWidget* tcpIpPage = pages[static_cast<std::size_t>(SettingsTab::TcpIp)];
    w_.FrameDiagnostischeIPinfo = new QGroupBox(QString::fromLatin1(DiagnosticFrameCaption), tcpIpPage);
    w_.FrameDiagnostischeIPinfo->setObjectName(QStringLiteral("FrameDiagnostischeIPinfo"));
    RowGrid diagnostics = NewRowGrid(w_.FrameDiagnostischeIPinfo);

    for (const SettingsRow& row : SettingsRows()) {
      AddRow(row, row.control == RowControl::TekstBox ? diagnostics
                                                       : grids[static_cast<std::size_t>(row.tab)]);
    }
    SizeCombosToLongestEntry();

    RowGrid& general = grids[static_cast<std::size_t>(SettingsTab::General)];
    w_.FrameDebugCmdButtonsAlgemeen = DebugFrame("FrameDebugCmdButtonsAlgemeen", general.parent);
    // A service tool, so it shares the frame's debug-only visibility.
    w_.CmdResetUnit = Button("CmdResetUnit", w_.FrameDebugCmdButtonsAlgemeen);
    AddDebugFrame(w_.FrameDebugCmdButtonsAlgemeen, general, false, w_.CmdResetUnit);

    RowGrid& tcpIp = grids[static_cast<std::size_t>(SettingsTab::TcpIp)];
    w_.FrameDebugCmdButtonsIPSet = DebugFrame("FrameDebugCmdButtonsIPSet", tcpIp.parent);
    AddDebugFrame(w_.FrameDebugCmdButtonsIPSet, tcpIp, false);
    for (const ItemInfo& info : ItemTable()) {
      if (info.legendToolTip.empty()) continue;
      if (auto* legend = w_.TxtLegendaCharInput[info.item]) {
        legend->setToolTip(ToQString(std::string(info.legendToolTip)));
      }
    }

    RowGrid& espa = grids[static_cast<std::size_t>(SettingsTab::Espa)];
    w_.FrameDebugCmdButtonsPaging = DebugFrame("FrameDebugCmdButtonsPaging", espa.parent);
    AddDebugFrame(w_.FrameDebugCmdButtonsPaging, espa, false);

    w_.CmdReadIPdiagnose = Button("CmdReadIPdiagnose", w_.FrameDiagnostischeIPinfo);
    w_.CmdReadIPdiagnose->setFixedHeight(RowHeight());
    diagnostics.grid->addWidget(w_.CmdReadIPdiagnose, diagnostics.rows, FirstValueColumn, 1, ValueColumns,
                                Qt::AlignLeft);
    diagnostics.grid->setRowMinimumHeight(diagnostics.rows, RowHeight());
    ++diagnostics.rows;
    w_.FrameDebugCmdButtonsIPdiagnose = DebugFrame("FrameDebugCmdButtonsIPdiagnose", w_.FrameDiagnostischeIPinfo);
    AddDebugFrame(w_.FrameDebugCmdButtonsIPdiagnose, diagnostics, true);
    FinishRows(diagnostics);
    w_.FrameDiagnostischeIPinfo->setLayout(diagnostics.grid);

    for (int tab = 0; tab < SettingsTabCount; ++tab) {
      RowGrid& rows = grids[static_cast<std::size_t>(tab)];
      FinishRows(rows);
      auto* pageLayout = new QVBoxLayout(rows.parent);
      pageLayout->addLayout(rows.grid);
      if (tab == static_cast<int>(SettingsTab::TcpIp)) pageLayout->addWidget(w_.FrameDiagnostischeIPinfo);
      pageLayout->addStretch(1);
      w_.SSTab2->addTab(rows.parent, QString());
    }
    // The pages of unused items and per-item buttons; start-up hides them.
    for (const char* caption : {"Niet gebruikte CHAR", "Niet gebruikte INT", "Niet gebruikte TEKST",
                                "Button CHAR", "Button INT", "Button TEKST"}) {
      w_.SSTab2->addTab(new QWidget, QString::fromLatin1(caption));
    }
    return page;
  }

  // Every setting combo of a page is as wide as the longest entry any of
  // them has in any language, so that no entry is cut and the column is even.
  void SizeCombosToLongestEntry() {
    std::map<QWidget*, int> widest;
    std::array<LanguageTexts, LanguageCount> languages;
    for (int16_t language = 0; language < LanguageCount; ++language) {
      int16_t chosen = language;
      languages[static_cast<std::size_t>(language)].FillTextTable(chosen);
    }
    for (const auto& [item, combo] : w_.ComboInstellingen) {
      int width = 0;
      for (const LanguageTexts& texts : languages) {
        for (const std::string& entry : ChoiceList(item, texts)) {
          width = std::max(width, combo->fontMetrics().horizontalAdvance(ToQString(entry)));
        }
      }
      int& pageWidth = widest[combo->parentWidget()];
      pageWidth = std::max(pageWidth, width);
    }
    for (const auto& [item, combo] : w_.ComboInstellingen) combo->SetTextWidth(widest[combo->parentWidget()]);
  }

  // Wide enough for the longest entry of the list in any language.
  static void SizeToLongestEntry(ListCombo& combo, std::vector<std::string> (*choices)(const LanguageTexts&)) {
    int width = 0;
    for (int16_t language = 0; language < LanguageCount; ++language) {
      LanguageTexts texts;
      int16_t chosen = language;
      texts.FillTextTable(chosen);
      for (const std::string& entry : choices(texts)) {
        width = std::max(width, combo.fontMetrics().horizontalAdvance(ToQString(entry)));
      }
    }
    combo.SetTextWidth(width);
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
    w_.TxtTestPagerAdres->SetInputLimit(static_cast<int>(PagerAddressLimit));
    w_.TxtTestPagerAdres->SetClearOnDoubleClick(true);

    w_.TxtLegendaTestOproepBleepcode = new QLabel(w_.FramePagerOproepen);
    w_.TxtLegendaTestOproepBleepcode->setObjectName(QStringLiteral("TxtLegendaTestOproepBleepcode"));
    w_.ComboTestBleepCode = new ListCombo(w_.FramePagerOproepen);
    w_.ComboTestBleepCode->setObjectName(QStringLiteral("ComboTestBleepCode"));
    SizeToLongestEntry(*w_.ComboTestBleepCode, BleepCodeChoices);
    arrays_.comboTestBleepCode = std::make_unique<ComboBoxControl>(*w_.ComboTestBleepCode, false);

    w_.TxtLegendaTestOproepBericht = new QLabel(w_.FramePagerOproepen);
    w_.TxtLegendaTestOproepBericht->setObjectName(QStringLiteral("TxtLegendaTestOproepBericht"));
    w_.TxtTestPagerDisplayInfo = new InputBox(w_.FramePagerOproepen);
    w_.TxtTestPagerDisplayInfo->setObjectName(QStringLiteral("TxtTestPagerDisplayInfo"));
    w_.TxtTestPagerDisplayInfo->SetInputLimit(static_cast<int>(PagerMessageLimit));
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
  int rowHeight_ = 0;
};

}  // namespace

MainWindowWidgets BuildMainWindowWidgets(QMainWindow& window, ControlArrays& arrays) {
  return Builder(window, arrays).Build();
}

}  // namespace tessaro
