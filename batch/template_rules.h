// What the check finds wrong in one template, rule by rule. The text and
// the fields come from the window's own string list and cutter; these
// rules only say what the window will make of them.
#pragma once
#include <string>
#include <vector>

#include "batch/template_report.h"

// A byte-order mark, UTF-16, UTF-8 Cyrillic or a 0 byte in a file the window
// reads as cp1251. False when the file is UTF-16: nothing else in it is
// worth reading.
bool CheckEncoding(const std::string& bytes, TemplateReport& report);

// The fields as the cutter left them in `text` (the joined text), `rest`
// what followed the fourth field. Reports missing, empty and extra fields
// and "|" inside a field, then every placeholder the formatter leaves alone.
void CheckFields(const std::string& text, const std::vector<std::string>& parts, const std::string& rest,
                 TemplateReport& report);

// Field 1 formatted (`name`) under the output folder `folder` (cp1251,
// ending in "\"), which lies in `result` (the folder no file may leave).
// Reports what the window refuses, what Windows cannot create and folders
// the window does not make. True when the window would write the file.
bool CheckOutputName(const std::string& name, const std::string& folder, const std::string& result,
                     TemplateReport& report);

// The output path as Windows tells names apart: "." and ".." resolved,
// letters of either case alike (cp1251 Cyrillic included).
std::string SameFileKey(const std::string& path);
