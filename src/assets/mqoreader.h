// The state machine of the MQO file reader: what the scanner's tokens mean and where their values
// go. One reader serves one load; nothing is kept between files.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "assets/mqomodel.h"

// Reads an open MQO text file into `model` with the scanner. `name` is the file name used in the
// messages. Returns 0 at "Eof" or the end of input, -1 on a refused file (after its message).
int LoadMQO(MQOModel* model, FILE* file, const char* name);

class MQOReader {
 public:
  // Most brackets open at once.
  static const int _maxstack = 10;

  // What the next values belong to.
  enum Mode {
    MODE_NONE = 0,
    MODE_SCENE = 1,
    MODE_MATERIAL = 2,
    MODE_OBJECT = 3,
    MODE_COL = 11,
    MODE_DIF = 12,
    MODE_AMB = 13,
    MODE_EMI = 14,
    MODE_SPC = 15,
    MODE_POWER = 16,
    MODE_TEX = 17,
    MODE_COLOR = 21,
    MODE_COLOR_TYPE = 22,
    MODE_SCALE = 23,
    MODE_ROTATION = 24,
    MODE_TRANSLATION = 25,
    MODE_VERTEX_LIST = 26,
    MODE_FACE_LIST = 27,
    MODE_V = 31,
    MODE_M = 32,
    MODE_UV = 33,
  };

  // Starts a load into `model` (LoadInit: every field cleared, object scale 1, 1, 1).
  MQOReader(MQOModel* model, const char* name);

  // Token actions of the scanner. Those returning int give 0 to go on and -1 when the file is
  // refused (the message is printed); the scanner then ends with -1.
  void Header() { _Header = 1; }
  void Format() { _format = 1; }
  int Version(const char* text);           // "Ver " + digit + any + digit
  int Material(const char* digits);        // "Material " + digits
  void SetMode(Mode mode) { _mode = mode; }
  void Object();                           // "Object "
  int VertexList(const char* digits);      // "vertex " + digits
  int FaceList(const char* digits);        // "face " + digits
  int PushStack(char c);                   // "{" or "("
  int Close(char c);                       // "}" or ")": pops and checks the pair
  int Number(const char* text);            // optional "-", digits, optional "." digits
  int setText(const char* text, size_t length);  // the text between quotation marks
  int newline(size_t count);               // `count` line feeds

 private:
  void CleanMaterial();
  void CleanObject();
  char PopStack();
  int setValue(float v);
  int setValueMaterial(float v);
  int setValueObject(float v);
  int NextSlot();
  int ToInt(float v, int* out);
  int CheckFace();
  int Refuse(const std::string& what);

  MQOModel* _model;
  std::string _name;
  size_t _line = 1;  // line of the file being read, for the messages

  int _mode = MODE_NONE;
  char _stack[_maxstack] = {};
  int _modestack[_maxstack] = {};
  int _stackpos = 0;
  int _ArrayCount = 0;
  int _Flag = 0;
  int _V_F_flag = 0;
  float _version = 0.0f;
  int _Header = 0;
  int _format = 0;
  long _MaterialNum = 0;
  _material _mat{};
  float _vertex[3] = {};
  _facef _face{};
  _Object _object{};
};
