#pragma once

#include <QObject>
#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "messages/MessageLog.h"

class QEvent;
class QLineEdit;
class QScrollBar;

namespace tessaro {

// The Status tab's message lines with a way back. The boxes show the newest
// lines of the message ring, as they always have; the scroll bar beside them,
// the wheel over them and Page Up, Page Down, Ctrl+Home and Ctrl+End in them
// go back through every line of this run. Back at the end, the boxes follow
// the ring again. The ring itself stays as it is.
class MessageScrollback final : public QObject {
 public:
  // Lines kept for going back; the oldest go first beyond this.
  static constexpr std::size_t KeptLines = 20000;

  MessageScrollback(std::span<QLineEdit* const> boxes, QScrollBar& bar);

  // A line the message log has just stored.
  void Add(const std::string& line);
  // The refresh of the boxes: the ring's lines, unless the user went back.
  void Show(const std::array<std::string, MessageLineSlots>& ring);
  bool AtEnd() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Render();
  void SetRange();
  // Box i shows line(i) for i below count, nothing below that.
  void ShowLines(const std::function<const std::string*(std::size_t)>& line, std::size_t count);

  std::vector<QLineEdit*> boxes_;
  QScrollBar& bar_;
  std::deque<std::string> lines_;
  std::array<std::string, MessageLineSlots> ring_{};
};

}  // namespace tessaro
