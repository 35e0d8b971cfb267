#pragma once
// A recording media control interface for the control's tests: it keeps every
// string sent and answers from scripted rules.
#include "platform/mci/mci.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace dorrin::zelomm::test {

struct Reply {
  mci::MCIERROR result = 0;
  std::string text;
};

class FakeMci : public mci::Api {
public:
  // A rule's key is the exact command, the command with its second word
  // replaced by "A" ("status A mode wait"), or the verb alone ("open"); lookups
  // try them in that order. Several rules with one key answer in turn, the
  // last one repeating.
  void on(const std::string &key, mci::MCIERROR result, std::string text = {}) {
    rules_[key].push_back({result, std::move(text)});
  }
  void replace(const std::string &key, mci::MCIERROR result, std::string text = {}) {
    rules_[key].clear();
    on(key, result, std::move(text));
  }

  mci::MCIERROR sendString(const char *command, char *reply, unsigned length,
                           win::HWND callback) override {
    const std::string c = command;
    sent.push_back(c);
    callbacks.push_back(callback);
    const Reply r = answer(c);
    if (reply && length) {
      std::strncpy(reply, r.text.c_str(), length - 1);
      reply[length - 1] = 0;
    }
    return r.result;
  }
  bool getErrorString(mci::MCIERROR error, char *text, unsigned length) override {
    const std::string t = "MCI error " + std::to_string(error);
    std::strncpy(text, t.c_str(), length - 1);
    text[length - 1] = 0;
    return true;
  }
  mci::MCIDEVICEID getDeviceID(const char *name) override {
    auto it = deviceIds.find(name);
    return it == deviceIds.end() ? 0 : it->second;
  }

  std::vector<std::string> sent;
  std::vector<win::HWND> callbacks;
  std::map<std::string, mci::MCIDEVICEID> deviceIds;

private:
  Reply answer(const std::string &c) {
    std::string normal = c, verb = c.substr(0, c.find(' '));
    const auto first = c.find(' ');
    if (first != std::string::npos) {
      const auto second = c.find(' ', first + 1);
      normal = c.substr(0, first + 1) + "A" + (second == std::string::npos ? "" : c.substr(second));
    }
    for (const std::string &key : {c, normal, verb}) {
      auto it = rules_.find(key);
      if (it == rules_.end() || it->second.empty()) continue;
      auto &queue = it->second;
      const Reply r = queue.front();
      if (queue.size() > 1) queue.erase(queue.begin());
      return r;
    }
    return {};
  }
  std::map<std::string, std::vector<Reply>> rules_;
};

} // namespace dorrin::zelomm::test
