#include "exchange/dxf_pairs.h"

#include "exchange/exchange_numbers.h"

bool DxfPairReader::ReadLine(std::string* line) {
  line->clear();
  int c = std::getc(file_);
  if (c == EOF) return false;
  // One character more than is kept, so that a '\r' ending a line of full length still goes.
  for (; c != EOF && c != '\n'; c = std::getc(file_)) {
    if (line->size() <= kMaxValueChars) line->push_back(static_cast<char>(c));
  }
  if (!line->empty() && line->back() == '\r') line->pop_back();
  if (line->size() > kMaxValueChars) line->resize(kMaxValueChars);
  return true;
}

bool DxfPairReader::Next() {
  if (!atEnd_ && ReadLine(&line_) && ReadLine(&value_)) {
    code_ = kNotACode;
    if (!ReadIntPrefix(line_, &code_)) damaged_ = true;
    return true;
  }
  atEnd_ = true;
  code_ = 0;
  value_ = "EOF";
  return false;
}

void DxfPairReader::ReadValue(float* target) const { ReadFloatPrefix(value_, target); }

void DxfPairReader::ReadValue(int* target) const { ReadIntPrefix(value_, target); }
