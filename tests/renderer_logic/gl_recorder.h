// A recording stand-in for the GL and GLU calls of the renderer logic, linked
// into the unit tests in place of the real libraries. Every call is recorded
// with its arguments; misuse (an unpaired begin/end, a call not allowed
// between them) is counted as a fault.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glrec {

struct Call {
  std::string name;
  std::vector<double> args;
};

struct Upload {  // one gluBuild2DMipmaps
  int components, width, height;
  unsigned format, type;
  int unpackAlignment;
  std::vector<uint8_t> bytes;  // what GL would read, honouring the alignment
};

struct State {
  std::vector<Call> calls;
  std::vector<Upload> uploads;
  std::vector<std::string> faults;
  bool insideBegin = false;
  unsigned matrixMode = 0x1700;  // GL_MODELVIEW
  int unpackAlignment = 4;
  unsigned nextTexture = 1;
};

State& Recorded();
void Clear();

// Calls named `name`, in order.
std::vector<Call> CallsNamed(const std::string& name);
// Names of all calls, in order.
std::vector<std::string> Names();
// Vertices sent between the n-th glBegin and its glEnd: each entry is
// {s, t, x, y, z} with the texture coordinate current at that vertex.
std::vector<std::vector<double>> Primitive(size_t n, unsigned* mode = nullptr);

}  // namespace glrec
