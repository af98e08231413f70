// The MQO reader's state machine: brackets, modes, value routing and end-of-line handling.
#include "assets/mqoreader.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// How many values a field of the current mode holds, and the refusal when a line has more.
struct FieldLimit {
  int mode;
  int capacity;
  const char* what;
};

const FieldLimit _FieldLimits[] = {
    {MQOReader::MODE_COL, 4, "more than 4 values in col"},
    {MQOReader::MODE_COLOR, 3, "more than 3 values in color"},
    {MQOReader::MODE_SCALE, 3, "more than 3 values in scale"},
    {MQOReader::MODE_ROTATION, 3, "more than 3 values in rotation"},
    {MQOReader::MODE_TRANSLATION, 3, "more than 3 values in translation"},
    {MQOReader::MODE_VERTEX_LIST, 3, "more than 3 values on a vertex line"},
    {MQOReader::MODE_V, 4, "more than 4 vertex indices on a face"},
    {MQOReader::MODE_UV, 8, "more than 4 UV pairs on a face"},
};

// Largest number of corners a face can have.
const int _MaxFaceCorners = 4;

// Longest texture name kept (the record holds it with its terminating zero).
const size_t _MaxTexName = sizeof(_material::tex) - 1;

// A count written as digits; false when it does not fit an int.
bool ParseCount(const char* digits, int* out) {
  errno = 0;
  char* end = nullptr;
  const long value = strtol(digits, &end, 10);
  if (errno == ERANGE || end == digits || value < 0 || value > INT_MAX) return false;
  *out = static_cast<int>(value);
  return true;
}

// The digits after the keyword and its blank (the scanner's rule guarantees both).
const char* AfterBlank(const char* text) {
  const char* blank = strchr(text, ' ');
  return blank != nullptr ? blank + 1 : text;
}

}  // namespace

MQOReader::MQOReader(MQOModel* model, const char* name) : _model(model), _name(name) {
  CleanMaterial();
  CleanObject();
}

void MQOReader::CleanMaterial() { _mat = _material{}; }

void MQOReader::CleanObject() {
  _vertex[0] = _vertex[1] = _vertex[2] = 0.0f;
  _face = _facef{};
  _object = _Object{};
  _object.scale[0] = _object.scale[1] = _object.scale[2] = 1.0f;
}

int MQOReader::Refuse(const std::string& what) {
  printf("LoadMQO:%s:%zu: %s\n", _name.c_str(), _line, what.c_str());
  return -1;
}

int MQOReader::Version(const char* text) {
  _version = strtof(text + 4, nullptr);
  if (_version != 1.0f) {
    printf("LoadMQO:unsupported version\n");
    return -1;
  }
  return 0;
}

int MQOReader::Material(const char* digits) {
  // The count is not used; a count too large for an int is kept as the largest int.
  int count = INT_MAX;
  ParseCount(AfterBlank(digits), &count);
  _MaterialNum = count;
  CleanMaterial();
  _mode = MODE_MATERIAL;
  return 0;
}

void MQOReader::Object() {
  _mode = MODE_OBJECT;
  CleanObject();
}

int MQOReader::VertexList(const char* text) {
  int count = 0;
  if (!ParseCount(AfterBlank(text), &count)) return Refuse("vertex count out of range");
  _mode = MODE_VERTEX_LIST;
  _model->AddObject(&_object);
  _model->SetVertex(count);
  return 0;
}

int MQOReader::FaceList(const char* text) {
  int count = 0;
  if (!ParseCount(AfterBlank(text), &count)) return Refuse("face count out of range");
  // Faces belong to the object of the last vertex list.
  if (_model->objects.empty()) return Refuse("face list before any vertex list");
  _mode = MODE_FACE_LIST;
  _model->SetFace(count);
  return 0;
}

int MQOReader::PushStack(char c) {
  if (_stackpos >= _maxstack) return Refuse("more than 10 nested brackets");
  _stack[_stackpos] = c;
  _modestack[_stackpos] = _mode;
  _stackpos++;
  return 0;
}

char MQOReader::PopStack() {
  _ArrayCount = 0;
  _stackpos--;
  return _stack[_stackpos];
}

int MQOReader::Close(char c) {
  const char open = c == '}' ? '{' : '(';
  if (_stackpos <= 0) return Refuse(std::string("\"") + c + "\" without an open bracket");
  const char popped = PopStack();
  if (popped != open) {
    printf("LoadMQO:cannot find \"%c\" :%c \n", open, popped);
    return -1;
  }
  return 0;
}

int MQOReader::Number(const char* text) {
  const float v = strtof(text, nullptr);
  if (!std::isfinite(v)) return Refuse(std::string("number out of range: ") + text);
  return setValue(v);
}

int MQOReader::setValue(float v) {
  if (_stackpos <= 0) return 0;
  switch (_modestack[0]) {
    case MODE_MATERIAL:
      return setValueMaterial(v);
    case MODE_OBJECT:
      return setValueObject(v);
    default:
      return 0;
  }
}

// The position for the next value of the current mode's field, or -1 (refused) when the field
// is full.
int MQOReader::NextSlot() {
  for (const FieldLimit& limit : _FieldLimits) {
    if (limit.mode != _mode) continue;
    if (_ArrayCount >= limit.capacity) return Refuse(limit.what);
    return _ArrayCount++;
  }
  return -1;
}

int MQOReader::ToInt(float v, int* out) {
  const double t = std::trunc(static_cast<double>(v));
  if (t < static_cast<double>(INT_MIN) || t > static_cast<double>(INT_MAX)) {
    return Refuse("number out of range for a whole number");
  }
  *out = static_cast<int>(t);
  return 0;
}

int MQOReader::setValueMaterial(float v) {
  _Flag = 1;
  float* scaled = nullptr;
  switch (_mode) {
    case MODE_COL: {
      const int i = NextSlot();
      if (i < 0) return -1;
      _mat.col[i] = v;
      return 0;
    }
    case MODE_DIF: scaled = _mat.dif; break;
    case MODE_AMB: scaled = _mat.amb; break;
    case MODE_EMI: scaled = _mat.emi; break;
    case MODE_SPC: scaled = _mat.spc; break;
    case MODE_POWER:
      _mat.power = v * 180.0f / 100.0f;
      return 0;
    default:
      return 0;
  }
  for (int i = 0; i < 4; i++) scaled[i] = _mat.col[i] * v;
  return 0;
}

int MQOReader::setValueObject(float v) {
  float* field = nullptr;
  switch (_mode) {
    case MODE_COLOR: field = _object.color; break;
    case MODE_SCALE: field = _object.scale; break;
    case MODE_ROTATION: field = _object.rotation; break;
    case MODE_TRANSLATION: field = _object.translation; break;
    case MODE_VERTEX_LIST:
      field = _vertex;
      _V_F_flag = 1;
      break;
    case MODE_UV: {
      const int i = NextSlot();
      if (i < 0) return -1;
      if (i % 2 == 0) {
        _face.u[i / 2] = v;
      } else {
        _face.v[i / 2] = v;
      }
      return 0;
    }
    case MODE_COLOR_TYPE:
      return ToInt(v, &_object.color_type);
    case MODE_FACE_LIST: {
      _V_F_flag = 1;
      int n = 0;
      if (ToInt(v, &n) != 0) return -1;
      if (n < 0) return Refuse("negative face corner count");
      if (n > _MaxFaceCorners) return Refuse("a face of more than 4 corners");
      _face.n = n;
      return 0;
    }
    case MODE_V: {
      const int i = NextSlot();
      if (i < 0) return -1;
      return ToInt(v, &_face.V[i]);
    }
    case MODE_M:
      return ToInt(v, &_face.M);
    default:
      return 0;
  }
  const int i = NextSlot();
  if (i < 0) return -1;
  field[i] = v;
  return 0;
}

int MQOReader::setText(const char* text, size_t length) {
  if (_mode != MODE_TEX) return 0;
  if (length > _MaxTexName) return Refuse("texture name of 64 characters or more");
  memcpy(_mat.tex, text, length);
  _mat.tex[length] = '\0';
  return 0;
}

// Every corner of the face names a vertex of the object the face belongs to.
int MQOReader::CheckFace() {
  const size_t count = _model->objects.empty() ? 0 : _model->objects.back().vertices.size();
  for (int k = 0; k < _face.n; k++) {
    if (_face.V[k] < 0 || static_cast<size_t>(_face.V[k]) >= count) {
      return Refuse("face names vertex " + std::to_string(_face.V[k]) + " of an object of " +
                    std::to_string(count) + " vertices");
    }
  }
  return 0;
}

int MQOReader::newline(size_t count) {
  int result = 0;
  if (_stackpos > 0) {
    const int inner = _modestack[_stackpos - 1];
    if (_modestack[0] == MODE_MATERIAL) {
      if (_Flag) _model->AddMaterial(&_mat);
      _mode = MODE_NONE;
      _mat.tex[0] = '\0';
      _Flag = 0;
    } else if (_modestack[0] == MODE_OBJECT && inner == MODE_VERTEX_LIST) {
      if (_V_F_flag) _model->AddVertex(_vertex);
      _V_F_flag = 0;
    } else if (_modestack[0] == MODE_OBJECT && inner == MODE_FACE_LIST) {
      if (_V_F_flag) {
        result = CheckFace();
        if (result == 0) _model->AddFace(&_face);
      }
      _mode = MODE_FACE_LIST;
      _V_F_flag = 0;
    }
  }
  _ArrayCount = 0;
  // Counted after the handling, so that a refusal above names the line it was found on.
  _line += count;
  return result;
}
