// The main window's schema: creates every component in order, sets its
// properties, initialises it, then links them. Members are declared in
// creation order, so they are freed in the reverse order, MainForm last.
#pragma once
#include <memory>

#include "components/win/simple_form.h"

class TClassSimpleForm_4E37510 {
 public:
  explicit TClassSimpleForm_4E37510(void* owner);
  virtual ~TClassSimpleForm_4E37510() = default;

  TKestoSimpleForm& Form() { return *MainForm; }

  std::unique_ptr<TKestoSimpleForm> MainForm;
};
