#include "render/render_tree.h"

#include <string>
#include <utility>
#include <vector>

#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/gem_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "render/object_material.h"
#include "render/render_node.h"
#include "render/render_state.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "services/layer_table.h"

namespace {

// Where the top level of a group walk sends jewels and super subtractors of its members; null
// while no tree is being built.
struct TopLevelLists {
  std::vector<CRenderNode*> superSubtractors;
  std::vector<CRenderNode*> jewels;
};
TopLevelLists* topLevel = nullptr;

// Raised while the cutters of a subtraction group are built.
int subtractionDepth = 0;

class SubtractionDepthScope {
 public:
  SubtractionDepthScope() { ++subtractionDepth; }
  ~SubtractionDepthScope() { --subtractionDepth; }
  SubtractionDepthScope(const SubtractionDepthScope&) = delete;
  SubtractionDepthScope& operator=(const SubtractionDepthScope&) = delete;
};

void DeleteNodes(const std::vector<CRenderNode*>& nodes) {
  for (CRenderNode* node : nodes) {
    node->next = nullptr;
    delete node;
  }
}

CRenderNode* BuildNodes(CGeomObject* object, const Matrix4& m, int nested, bool jewelContext);

// Builds a member and keeps it in the group unless the top level takes it; returns whether the
// group got it.
bool AddMember(CGeomObject* member, const Matrix4& m, int nested, bool jewelContext,
               std::vector<CRenderNode*>& into) {
  CRenderNode* node = BuildNodes(member, m, nested, jewelContext);
  if (node == nullptr) return false;
  if (nested == 0 && topLevel != nullptr) {
    const bool isJewel = IsJewelObject(member) != 0;
    if (isJewel && !jewelContext) {
      topLevel->jewels.push_back(node);
      return false;
    }
    if (!isJewel && IsSuperSubtractor(member) != 0 && subtractionDepth == 0) {
      topLevel->superSubtractors.push_back(node);
      return false;
    }
  }
  into.push_back(node);
  return true;
}

CRenderNode* BuildNodes(CGeomObject* object, const Matrix4& m, int nested, bool jewelContext) {
  switch (object->GetKind()) {
    case kKindSurface:
      return BuildSurfaceRenderNodes(static_cast<const CSurfaceObject*>(object), m);
    case kKindMesh:
      return BuildMeshRenderNodes(static_cast<const CMeshObject*>(object), m);
    case kKindBlock:
      return BuildBlockRenderNodes(static_cast<const CBlockObject*>(object), m);
    case kKindBoolean:
      return BuildGroupRenderNodes(static_cast<CBooleanObject*>(object), m, nested, jewelContext ? 1 : 0);
    case kKindGem:
      return BuildGemRenderNodes(object, m);
    default:
      return nullptr;
  }
}

}  // namespace

CRenderNode* CombineRenderNodes(std::uint8_t operation, const std::vector<CRenderNode*>& nodes) {
  if (nodes.empty()) return nullptr;
  for (std::size_t i = 0; i + 1 < nodes.size(); ++i) nodes[i]->next = nodes[i + 1];
  nodes.back()->next = nullptr;
  return nodes.size() == 1 ? nodes[0] : new CRenderNode(operation, nodes[0]);
}

CRenderNode* BuildRenderNodes(CGeomObject* object, const Matrix4& m, int nested) {
  return BuildNodes(object, m, nested, false);
}

CRenderNode* BuildGroupRenderNodes(CBooleanObject* group, const Matrix4& m, int nested, int jewelContext) {
  const bool inJewelContext = jewelContext != 0 || IsJewelObject(group) != 0;
  const GroupMaterialOverride material(group);
  std::vector<CRenderNode*> nodes;
  const int operation = group->Operation();
  if (operation == kBooleanSubtraction) {
    CGeomObject* body = group->members.head();
    if (body == nullptr || !IsShownOrSelected(*body)) return nullptr;
    if (!AddMember(body, m, nested, inJewelContext, nodes)) return nullptr;
    std::vector<CRenderNode*> cutters;
    {
      const SubtractionDepthScope depth;
      for (CGeomObject* member = body->next; member != nullptr; member = member->next) {
        if (IsShownOrSelected(*member)) AddMember(member, m, nested, true, cutters);
      }
    }
    if (cutters.empty()) return nodes[0];
    nodes.push_back(CombineRenderNodes(CRenderNode::kUnion, cutters));
    return CombineRenderNodes(CRenderNode::kSubtraction, nodes);
  }
  if (operation < CRenderNode::kUnionOfPieces || operation > CRenderNode::kIntersection) return nullptr;
  for (CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
    if (IsShownOrSelected(*member)) AddMember(member, m, nested, inJewelContext, nodes);
  }
  return CombineRenderNodes(static_cast<std::uint8_t>(operation), nodes);
}

CRenderNode* BuildGemRenderNodes(CGeomObject* gem, const Matrix4& m) {
  const GemNestingLevel level;
  CGeomObject* prototype = gem;
  Matrix4 placement;
  ResolveGemInstance(prototype, &placement);
  if (prototype == nullptr) return nullptr;
  // The prototype lends the gem's material name only for this call.
  struct NameLoan {
    CGeomObject* object;
    const std::string* saved;
    ~NameLoan() { object->materialName = saved; }
  } loan{prototype, prototype->materialName};
  prototype->materialName = gem->materialName;
  const RenderMatrixScope scope;
  MultiplyRenderMatrix(placement);
  return BuildRenderNodes(prototype, MatMultiply(placement, m), 1);
}

CRenderNode* BuildRenderTree(const Matrix4& m, int onlyInView) {
  ++RenderNestingCount;
  TopLevelLists lists;
  TopLevelLists* const outer = std::exchange(topLevel, &lists);
  struct Restore {
    TopLevelLists* outer;
    ~Restore() { topLevel = outer; }
  } restore{outer};
  std::vector<CRenderNode*> ordinary;
  try {
    CGeomObject* cursor = nullptr;
    while (CGeomObject* object = NextObject(cursor, -1, 0)) {
      if (!IsShownOrSelected(*object) || IsLayerVisible(object->layer) == 0) continue;
      if (onlyInView != 0 && IsObjectInView(object) == 0) continue;
      CRenderNode* node = BuildRenderNodes(object, m, 0);
      if (node == nullptr) continue;
      if (IsJewelObject(object) != 0) {
        lists.jewels.push_back(node);
      } else if (IsSuperSubtractor(object) != 0) {
        lists.superSubtractors.push_back(node);
      } else {
        ordinary.push_back(node);
      }
    }
  } catch (...) {
    // Out of memory half way: no tree reaches the caller, so lower the count here, or every
    // later render would be refused.
    DeleteNodes(ordinary);
    DeleteNodes(lists.jewels);
    DeleteNodes(lists.superSubtractors);
    ReleaseRenderTree(nullptr);
    throw;
  }
  CRenderNode* root = nullptr;
  if (ordinary.empty()) {
    DeleteNodes(lists.superSubtractors);
  } else {
    root = CombineRenderNodes(CRenderNode::kUnion, ordinary);
    if (!lists.superSubtractors.empty()) {
      root = CombineRenderNodes(CRenderNode::kSubtraction, {root, CombineRenderNodes(CRenderNode::kUnion, lists.superSubtractors)});
    }
  }
  // Jewels are never cut by super subtractors.
  if (!lists.jewels.empty()) {
    if (root != nullptr) lists.jewels.insert(lists.jewels.begin(), root);
    root = CombineRenderNodes(CRenderNode::kUnion, lists.jewels);
  }
  return root;
}
