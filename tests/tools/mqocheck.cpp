// A strict checker of MQO text against the subset the game's model reader takes.
#include "mqocheck.h"

#include <regex>
#include <sstream>

namespace mqocheck {

namespace {

const std::regex kNumber(R"(-?[0-9]+(\.[0-9]+)?)");
const std::regex kName(R"("[A-Za-z0-9()\-.\[\]_{}~]+")");

struct Lines {
  std::vector<std::string> v;
  size_t i = 0;
  bool Next(std::string* line) {
    while (i < v.size()) {
      std::string l = v[i++];
      size_t a = l.find_first_not_of(" \t\r"), b = l.find_last_not_of(" \t\r");
      if (a == std::string::npos) continue;
      *line = l.substr(a, b - a + 1);
      return true;
    }
    return false;
  }
};

bool Num(const std::string& s, double* out) {
  if (!std::regex_match(s, kNumber)) return false;
  *out = std::stod(s);
  return true;
}

// Splits "key(a b c)" groups of a line into key -> values.
bool Groups(const std::string& line, std::vector<std::pair<std::string, std::vector<std::string>>>* out) {
  size_t p = 0;
  while (p < line.size()) {
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
    if (p >= line.size()) break;
    size_t open = line.find('(', p);
    if (open == std::string::npos) return false;
    std::string key = line.substr(p, open - p);
    size_t close = line.find(')', open);
    if (close == std::string::npos) return false;
    std::istringstream in(line.substr(open + 1, close - open - 1));
    std::vector<std::string> vals;
    std::string t;
    while (in >> t) vals.push_back(t);
    out->push_back({key, vals});
    p = close + 1;
  }
  return true;
}

}  // namespace

bool Parse(const std::string& text, Model* model, std::string* error) {
  Lines L;
  std::istringstream in(text);
  std::string s;
  while (std::getline(in, s)) L.v.push_back(s);
  auto fail = [&](const std::string& what) {
    *error = "line " + std::to_string(L.i) + ": " + what;
    return false;
  };
  std::string line;
  if (!L.Next(&line) || line != "Metasequoia Document") return fail("header");
  if (!L.Next(&line) || line != "Format Text Ver 1.0") return fail("format line");
  bool eof = false;
  while (L.Next(&line)) {
    std::istringstream w(line);
    std::string word;
    w >> word;
    if (word == "Eof") {
      eof = true;
      break;
    }
    if (word == "Material") {
      std::string count, brace;
      w >> count >> brace;
      double n;
      if (!Num(count, &n) || brace != "{") return fail("material chunk header");
      for (int k = 0; k < static_cast<int>(n); ++k) {
        if (!L.Next(&line)) return fail("material line missing");
        size_t sp = line.find(' ');
        if (sp == std::string::npos || !std::regex_match(line.substr(0, sp), kName)) return fail("material name");
        std::vector<std::pair<std::string, std::vector<std::string>>> g;
        if (!Groups(line.substr(sp + 1), &g)) return fail("material fields");
        Material m{};
        const char* order[] = {"col", "dif", "amb", "emi", "spc", "power"};
        if (g.size() < 6 || g.size() > 7) return fail("material field count");
        for (int f = 0; f < 6; ++f) {
          if (g[f].first != order[f]) return fail(std::string("expected ") + order[f]);
          size_t want = f == 0 ? 4 : 1;
          if (g[f].second.size() != want) return fail("value count of " + g[f].first);
          for (size_t v = 0; v < want; ++v) {
            double d;
            if (!Num(g[f].second[v], &d)) return fail("number " + g[f].second[v]);
            if (f == 0) m.col[v] = d;
          }
        }
        m.dif = std::stod(g[1].second[0]);
        m.amb = std::stod(g[2].second[0]);
        m.emi = std::stod(g[3].second[0]);
        m.spc = std::stod(g[4].second[0]);
        m.power = std::stod(g[5].second[0]);
        if (g.size() == 7) {
          if (g[6].first != "tex" || g[6].second.size() != 1 || !std::regex_match(g[6].second[0], kName))
            return fail("texture");
          m.tex = g[6].second[0].substr(1, g[6].second[0].size() - 2);
        }
        model->materials.push_back(m);
      }
      if (!L.Next(&line) || line != "}") return fail("material chunk end");
      continue;
    }
    if (word == "Object") {
      std::string name, brace;
      w >> name >> brace;
      if (!std::regex_match(name, kName) || brace != "{") return fail("object header");
      Object o;
      o.name = name;
      // Attributes, then the vertex block.
      for (;;) {
        if (!L.Next(&line)) return fail("object ended early");
        std::istringstream a(line);
        std::string key;
        a >> key;
        if (key == "vertex") break;
        const int want = key == "color_type" ? 1 : (key == "color" || key == "scale" || key == "rotation" || key == "translation") ? 3 : -1;
        if (want < 0) return fail("attribute " + key);
        std::string t;
        int count = 0;
        double d;
        while (a >> t) {
          if (!Num(t, &d)) return fail("number " + t);
          ++count;
        }
        if (count != want) return fail("value count of " + key);
      }
      {
        std::istringstream a(line);
        std::string key, count, br;
        a >> key >> count >> br;
        double n;
        if (!Num(count, &n) || br != "{") return fail("vertex header");
        for (int k = 0; k < static_cast<int>(n); ++k) {
          if (!L.Next(&line)) return fail("vertex missing");
          std::istringstream vl(line);
          std::string t;
          std::vector<double> c;
          double d;
          while (vl >> t) {
            if (!Num(t, &d)) return fail("number " + t);
            c.push_back(d);
          }
          if (c.size() != 3) return fail("vertex needs 3 numbers");
          o.verts.push_back({c[0], c[1], c[2]});
        }
        if (!L.Next(&line) || line != "}") return fail("vertex block end");
      }
      if (!L.Next(&line)) return fail("face block missing");
      {
        std::istringstream a(line);
        std::string key, count, br;
        a >> key >> count >> br;
        double n;
        if (key != "face" || !Num(count, &n) || br != "{") return fail("face header");
        for (int k = 0; k < static_cast<int>(n); ++k) {
          if (!L.Next(&line)) return fail("face missing");
          size_t sp = line.find(' ');
          double nv;
          if (sp == std::string::npos || !Num(line.substr(0, sp), &nv) || (nv != 3 && nv != 4))
            return fail("face vertex count");
          std::vector<std::pair<std::string, std::vector<std::string>>> g;
          if (!Groups(line.substr(sp + 1), &g) || g.size() != 3 || g[0].first != "V" || g[1].first != "M" ||
              g[2].first != "UV")
            return fail("face fields");
          Face f{static_cast<int>(nv), {0, 0, 0, 0}, 0};
          if (g[0].second.size() != static_cast<size_t>(f.n) || g[1].second.size() != 1 ||
              g[2].second.size() != static_cast<size_t>(2 * f.n))
            return fail("face value counts");
          double d;
          for (int c = 0; c < f.n; ++c) {
            if (!Num(g[0].second[c], &d) || d < 0 || d >= o.verts.size()) return fail("vertex index");
            f.v[c] = static_cast<int>(d);
          }
          if (!Num(g[1].second[0], &d) || d < 0 || d >= model->materials.size()) return fail("material index");
          f.m = static_cast<int>(d);
          for (const std::string& t : g[2].second)
            if (!Num(t, &d)) return fail("number " + t);
          o.faces.push_back(f);
        }
        if (!L.Next(&line) || line != "}") return fail("face block end");
      }
      if (!L.Next(&line) || line != "}") return fail("object end");
      model->objects.push_back(o);
      continue;
    }
    return fail("unexpected '" + word + "'");
  }
  if (!eof) return fail("no Eof");
  return true;
}

double SignedVolume(const Object& o) {
  double vol = 0;
  for (const Face& f : o.faces)
    for (int t = 1; t + 1 < f.n; ++t) {
      const Vertex& a = o.verts[f.v[0]];
      const Vertex& b = o.verts[f.v[t]];
      const Vertex& c = o.verts[f.v[t + 1]];
      vol += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) / 6.0;
    }
  return vol;
}

}  // namespace mqocheck
