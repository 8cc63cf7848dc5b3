// An engine that hands every call to another one: a test derives from it and
// overrides only the call it makes fail.
#pragma once

#include "db/engine/engine.h"

namespace mt::test {

class ForwardingEngine : public Engine {
 public:
  explicit ForwardingEngine(Engine& real) : real_(real) {}
  std::unique_ptr<Connection> Open(const QString& path, const QString& password) override {
    return real_.Open(path, password);
  }
  std::unique_ptr<Connection> Create(const QString& path, const QString& password) override {
    return real_.Create(path, password);
  }
  void Compact(const QString& src, const QString& dst, const QString& password) override {
    real_.Compact(src, dst, password);
  }

 protected:
  Engine& real_;
};

}  // namespace mt::test
