#pragma once

class CGeomObject;
class CMaterial;

// The material of a primitive built for the object: null in shading mode 2; in mode 0 loaded
// without maps and with its ambient colour mixed in; in mode 1 with its maps. The mapping kind is
// the object's and the mapping matrix the inverse of its mapping frame, taken after the
// orientation frame when withOrientation is set (meshes and blocks). While a group's override is
// in force, the group's name, mapping kind and frame stand in for the object's.
const CMaterial* MaterialForObject(const CGeomObject* object, bool withOrientation);

// Makes the group's material the one its members' primitives get, for its lifetime. A group
// without a material name, or one inside a group whose override is in force, changes nothing:
// the outermost group's material is what its members end with.
class GroupMaterialOverride {
 public:
  explicit GroupMaterialOverride(const CGeomObject* group);
  ~GroupMaterialOverride();
  GroupMaterialOverride(const GroupMaterialOverride&) = delete;
  GroupMaterialOverride& operator=(const GroupMaterialOverride&) = delete;

 private:
  bool installed_ = false;
};
