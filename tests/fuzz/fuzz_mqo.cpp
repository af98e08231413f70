// Fuzz target: the MQO model reader on arbitrary text, read from memory as from a file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "assets/mqomodel.h"
#include "assets/mqoreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = size == 0 ? nullptr : fmemopen(const_cast<uint8_t*>(data), size, "r");
  if (file == nullptr) return 0;
  MQOModel model;
  LoadMQO(&model, file, "fuzz.mqo");
  fclose(file);
  // Whatever the reader kept, every face corner must name a vertex of its object.
  for (const _Object& object : model.objects) {
    for (const _facef& face : object.faces) {
      if (face.n < 0 || face.n > 4) abort();
      for (int k = 0; k < face.n; k++) {
        if (face.V[k] < 0 || static_cast<size_t>(face.V[k]) >= object.vertices.size()) abort();
      }
    }
  }
  for (const _material& m : model.materials) {
    if (m.hasTexture || m.tex[sizeof(m.tex) - 1] != '\0') abort();
  }
  return 0;
}
