// The batch tool's jobs: one set of window inputs each, from the command
// line or from a job file, checked before anything is written.
#pragma once
#include <string>
#include <vector>

#include "schema/batch_schema.h"

// Raw fields as typed, in UTF-8.
struct JobFields {
  std::string floors, english, russian, colour1, colour2;
};

// The inputs the window would hold for these fields, or false with what is
// wrong in `error` (UTF-8).
bool MakeInputs(const JobFields& fields, BatchInputs& inputs, std::string& error);

// "R G B" (decimal 0..255 each) or "#RRGGBB" to the window's colour text
// "R G B"; "" stays "". False with the reason in `error`.
bool ColourText(const std::string& colour, std::string& text, std::string& error);

struct JobLine {
  int line;            // in the job file, from 1; 0 for the command line
  BatchInputs inputs;  // valid when error is empty
  std::string error;
};

// A whole job file (UTF-8 CSV, header "floors,en,ru,colour1,colour2"). A
// bad header fails the file (false, `error`); a bad line becomes a JobLine
// with its error. Blank lines are skipped.
bool ParseJobFile(const std::string& bytes, std::vector<JobLine>& jobs, std::string& error);
