// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Opening documents, web and mail addresses and programs. The result
// follows the old convention: above 32 is success, 32 or less a failure.
namespace qx {

constexpr int kShellOk = 42;
constexpr int kShellFileNotFound = 2;
constexpr int kShellNoAssociation = 31;

class IShell {
 public:
  virtual ~IShell() = default;
  virtual int Open(const std::string& file, const std::string& parameters,
                   const std::string& directory) = 0;
};

// Without a display nothing can be opened.
class NoShell final : public IShell {
 public:
  int Open(const std::string&, const std::string&, const std::string&) override {
    return kShellNoAssociation;
  }
};

IShell& Shell();
void InstallShell(IShell* shell);

}  // namespace qx
