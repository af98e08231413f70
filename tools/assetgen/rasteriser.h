// A small software renderer of models with the game's fixed-function lighting, for previews.
#pragma once

#include "canvas.h"
#include "mesh.h"

namespace assetgen {

// Renders `mesh` scaled to unit size (as the game draws it), turned by `yaw` degrees about y and
// then tilted by `pitch` degrees about x, seen from 3.4 units away with a 40° field of view, lit
// like the game's 3D pass: one light at the eye (ambient 0.5, diffuse 0.2, specular 0.6) plus
// the global ambient 0.2, flat normals, blended translucent faces. 2× supersampled.
Canvas RenderModel(const Mesh& mesh, float yaw, float pitch, int size, Rgba background);

}  // namespace assetgen
