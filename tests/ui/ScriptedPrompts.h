#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/UserPrompts.h"

namespace tessaro::testing {

// Answers the window's questions from a script and records what was asked.
class ScriptedPrompts final : public UserPrompts {
 public:
  struct Question {
    QString title;
    QString text;
  };
  using FileAnswer = std::function<std::optional<QString>(const FileDialogRequest&)>;

  bool Confirm(const QString& title, const QString& text) override {
    questions.push_back({title, text});
    if (confirmAnswers.empty()) return true;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
  }
  std::optional<QString> SaveFileName(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return saveAnswer ? saveAnswer(request) : std::nullopt;
  }
  std::optional<QString> OpenFileName(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return openAnswer ? openAnswer(request) : std::nullopt;
  }
  void Beep() override { ++beeps; }

  // Accepts whatever name the dialog offers, in the folder it opens, with
  // the default suffix the dialog adds to a name without one.
  static std::optional<QString> AcceptOffered(const FileDialogRequest& request) {
    QString name = request.initialName;
    if (!request.defaultSuffix.isEmpty() && !name.contains(QLatin1Char('.'))) {
      name += QLatin1Char('.') + request.defaultSuffix;
    }
    return request.initialFolder + QLatin1Char('/') + name;
  }

  std::deque<bool> confirmAnswers;  // true OK, false Cancel; OK when empty
  FileAnswer saveAnswer;
  FileAnswer openAnswer;
  std::vector<Question> questions;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<FileDialogRequest> openRequests;
  int beeps = 0;
};

}  // namespace tessaro::testing
