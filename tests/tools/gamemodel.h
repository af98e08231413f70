// Generated models as the game's own MQO reader sees them, for the generator's tests.
#pragma once

#include <array>
#include <string>

#include "assets/mqomodel.h"
#include "support/testfiles.h"

// Reads MQO text through the game's reader (from a scratch file); false when the reader refuses.
inline bool ReadThroughGame(const std::string& text, MQOModel* model) {
  testsupport::ScratchDir dir;
  testsupport::WriteFile(dir.file("m.mqo"), text);
  return model->Read(dir.file("m.mqo").c_str()) == 0;
}

// Sum over the object's faces (fanned into triangles) of the signed volume each encloses with
// the origin: positive when every closed part has its faces wound so that (P1 - P0) x (P2 - P0)
// points outward. The reader has checked that every face names vertices of its object.
inline double SignedVolume(const _Object& o) {
  double volume = 0;
  for (const _facef& f : o.faces) {
    const std::array<float, 3>& a = o.vertices[f.V[0]];
    for (int k = 1; k + 1 < f.n; ++k) {
      const std::array<float, 3> &b = o.vertices[f.V[k]], &c = o.vertices[f.V[k + 1]];
      volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) + a[1] * (b[2] * c[0] - b[0] * c[2]) +
                 a[2] * (b[0] * c[1] - b[1] * c[0])) / 6.0;
    }
  }
  return volume;
}
