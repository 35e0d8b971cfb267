#pragma once
// Test doubles for the shell and the clipboard: the shell records every
// open and answers with a queued result (kStarted when none is queued); the
// clipboard is a plain string.
#include "platform/shell/clipboard.h"
#include "platform/shell/shell.h"

#include <deque>
#include <vector>

namespace dorrin::shell::testing {

class RecordingShell : public Shell {
public:
  struct Call {
    QString verb, file, parameters, directory;
    int show = 0;
  };
  std::vector<Call> calls;
  std::deque<int> results;

  int ShellExecute(const QString &verb, const QString &file, const QString &parameters,
                   const QString &directory, int show) override {
    calls.push_back({verb, file, parameters, directory, show});
    if (results.empty()) return kStarted;
    const int r = results.front();
    results.pop_front();
    return r;
  }
};

class FakeClipboard : public Clipboard {
public:
  QString content;
  int writes = 0;
  QString text() const override { return content; }
  void setText(const QString &text) override {
    content = text;
    ++writes;
  }
};

} // namespace dorrin::shell::testing
