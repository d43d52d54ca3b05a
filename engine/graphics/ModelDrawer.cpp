#include "engine/graphics/ModelDrawer.h"

#include <algorithm>

#include "engine/graphics/EffectBatch.h"
#include "engine/graphics/FwModel.h"
#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelShader.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ViewFrustum.h"

namespace {

// Context generation under which a material was last bound by a model draw. A subset
// without a material keeps what is bound; before anything was bound on this context
// (first draw of the run, or a new device in tests) it gets a white default instead.
uint32_t materialBoundGeneration = 0;
bool mergeSubsets = true;

void BindMaterial(ModelShader& shader, const FwMaterial& m, const Vector3& emissive, float alpha) {
    shader.SetMaterial(Color(m.BaseColor.x, m.BaseColor.y, m.BaseColor.z, m.BaseColor.w * alpha),
                       emissive, m.Metallic, m.Roughness);
    shader.UploadMaterial();
    ModelShader::BindTextures(m.baseColorTex.get(), m.emissiveTex.get(),
                              m.metallicRoughnessTex.get());
    materialBoundGeneration = GraphicsDevice::LiveGeneration();
}

const FwMaterial* MaterialOf(const FwModel* model, const FwMeshSubset& subset) {
    // An index past the materials (only possible in hand-built models) is treated like
    // "no material" instead of being read.
    if (subset.materialIndex < 0 || size_t(subset.materialIndex) >= model->materials.size())
        return nullptr;
    return &model->materials[size_t(subset.materialIndex)];
}

// One DrawModel call. Consecutive subsets of a mesh go to the GPU in one draw call through
// the shader's material set (a run of one material through the plain program); the
// material the last of them used counts as bound (what a later subset without a material
// keeps) and is put into cbMaterial when that is needed, at the latest when the call ends.
struct ModelDraw {
    ModelShader& shader;
    const Vector3* emissiveOverride;
    float alpha;
    const FwMaterial* unbound = nullptr;

    Vector3 EmissiveOf(const FwMaterial& m) const {
        return emissiveOverride ? *emissiveOverride : m.Emissive;
    }
    void BindPending() {
        if (unbound) BindMaterial(shader, *unbound, EmissiveOf(*unbound), alpha);
        unbound = nullptr;
    }

    // A subset without a material, first in its mesh: drawn alone with what is bound.
    void DrawKeepingMaterial(const FwMesh& mesh, size_t index) {
        BindPending();
        if (materialBoundGeneration != GraphicsDevice::LiveGeneration()) {
            FwMaterial white;
            BindMaterial(shader, white, EmissiveOf(white), alpha);
        }
        shader.UseMaterialSet(false);
        mesh.DrawSubset(int(index));
    }

    // Draws the subsets from `first` (which has faces and a material) that one call can
    // take: consecutive faces, at most eight, one texture per slot besides the white
    // default (which reads the same as none), each on vertices after the previous one's
    // (the shader tells the subsets apart by vertex index). Returns the index after the
    // last one taken.
    size_t DrawRun(const FwModel* model, const FwMesh& mesh, size_t first) {
        const FwTexture* white = GraphicsDevice::GetInstance().GetWhiteTexture().get();
        MaterialSetConstants& set = shader.EditMaterialSet();
        const FwTexture* slots[3] = {nullptr, nullptr, nullptr};
        bool slotTaken[3] = {false, false, false};
        const FwMaterial* current = MaterialOf(model, mesh.subsets[first]);
        const uint32_t firstFace = mesh.subsets[first].firstFace;
        uint32_t nextFace = firstFace;
        // Where the last subset's vertices end; nothing may join a subset without a range.
        uint64_t vertexEnd = 0;
        int count = 0;
        size_t i = first;
        const int most = mergeSubsets ? MaterialSetConstants::kMaxEntries : 1;
        for (; i < mesh.subsets.size() && count < most; ++i) {
            const FwMeshSubset& subset = mesh.subsets[i];
            if (subset.faceCount == 0) continue;
            if (subset.firstFace != nextFace) break;
            const FwMesh::VertexRange range = mesh.GetSubsetVertices(i);
            // gl_VertexID is a signed int: indices beyond its range cannot be told apart.
            const bool hasRange = range.first < range.end && range.end <= uint32_t{INT32_MAX};
            if (count > 0 && (!hasRange || range.first < vertexEnd)) break;
            const FwMaterial* m = MaterialOf(model, subset);
            if (!m) m = current;  // keeps the material before it, textures and all
            const FwTexture* textures[3] = {m->baseColorTex.get(), m->emissiveTex.get(),
                                            m->metallicRoughnessTex.get()};
            bool fits = true;
            for (int k = 0; k < 3; ++k) {
                if (textures[k] != white && slotTaken[k] && slots[k] != textures[k]) fits = false;
            }
            if (!fits) break;
            MaterialSetEntry& e = set.g_Set[count];
            e.BaseColor =
                Vector4(m->BaseColor.x, m->BaseColor.y, m->BaseColor.z, m->BaseColor.w * alpha);
            e.Emissive = EmissiveOf(*m);
            e.Metallic = m->Metallic;
            e.Roughness = m->Roughness;
            float* use[3] = {&e.UseBase, &e.UseEmissive, &e.UseMetallicRoughness};
            for (int k = 0; k < 3; ++k) {
                *use[k] = textures[k] == white ? 0.0f : 1.0f;
                if (textures[k] != white) {
                    slots[k] = textures[k];
                    slotTaken[k] = true;
                }
            }
            set.g_SetFirstVertex[count] = int(range.first);
            vertexEnd = hasRange ? range.end : UINT64_MAX;
            ++count;
            nextFace += subset.faceCount;
            current = m;
        }
        if (count == 1) {
            // A run of one material goes through the plain program: the set's program
            // reads its material from a table for every pixel, which a software rasteriser
            // pays for in full.
            shader.UseMaterialSet(false);
            BindMaterial(shader, *current, EmissiveOf(*current), alpha);
            mesh.DrawFaces(firstFace, nextFace - firstFace);
            unbound = nullptr;
            return i;
        }
        set.g_SetCount = count;
        for (int k = 0; k < 3; ++k) {
            if (!slotTaken[k]) slots[k] = white;
        }
        shader.UseMaterialSet(true);
        ModelShader::BindTextures(slots[0], slots[1], slots[2]);
        shader.UploadMaterialSet();
        mesh.DrawFaces(firstFace, nextFace - firstFace);
        unbound = current;
        materialBoundGeneration = GraphicsDevice::LiveGeneration();
        return i;
    }

    // A node wholly outside the view is not drawn, but the material its last subset would
    // have bound counts as bound: a later subset without a material keeps that one.
    void SkipNode(const FwModel* model, const FwMesh& mesh) {
        for (size_t j = mesh.subsets.size(); j-- > 0;) {
            if (mesh.subsets[j].faceCount == 0) continue;
            const FwMaterial* m = MaterialOf(model, mesh.subsets[j]);
            if (!m) continue;  // a subset without one keeps what an earlier subset bound
            unbound = m;
            return;
        }
    }
};

// Where a node can land on screen: the corners of the cube around its bounding sphere.
ScreenArea NodeArea(const FwMesh& mesh, const Matrix& placement, const Matrix& viewProjection) {
    const float radius = mesh.GetBoundsRadius() * MaxScale(placement);
    if (!(radius >= 0.0f)) return ScreenArea::Everything();
    const Vector3 c = Vector3::Transform(mesh.GetBoundsCenter(), placement);
    Vector3 corners[8];
    for (int i = 0; i < 8; ++i) {
        corners[i] = Vector3(c.x + (i & 1 ? radius : -radius), c.y + (i & 2 ? radius : -radius),
                             c.z + (i & 4 ? radius : -radius));
    }
    const Viewport& viewport = GraphicsDevice::GetInstance().GetViewport();
    const float pixels = std::max(1.0f, std::min(viewport.width, viewport.height));
    return ScreenArea::Of(corners, 8, viewProjection, 4.0f / pixels);
}

void DrawNodes(const FwModel* model, const Vector3* emissiveOverride, float alpha,
               const std::vector<Matrix>* nodeMatrices) {
    if (model == nullptr || model->nodes.empty()) return;
    ShaderManager& shaders = ShaderManager::GetInstance();
    ModelShader& shader = shaders.GetModelShader();
    const Matrix world = shader.GetWorld();
    // Software rasterisers transform every vertex on the game's thread, so a node that
    // cannot reach the screen is skipped. Only while the GPU holds the camera the getters
    // describe; otherwise everything is drawn.
    const bool cull = shaders.IsCameraUploaded();
    const Matrix viewProjection = shaders.GetView() * shaders.GetProjMatrix();
    const ViewFrustum frustum(viewProjection,
                              GraphicsDevice::GetInstance().GetRasterizerState().depthClip);
    EffectBatch& batch = EffectBatch::GetInstance();
    ModelDraw draw{shader, emissiveOverride, alpha};

    for (size_t i = 0; i < model->nodes.size(); ++i) {
        const FwModelNode& node = model->nodes[i];
        if (!node.mesh) continue;
        const FwMesh& mesh = *node.mesh;
        const Matrix& local =
            nodeMatrices && i < nodeMatrices->size() ? (*nodeMatrices)[i] : node.matrix;
        const Matrix placement = local * world;
        shader.SetObjectMatrix(placement);
        if (cull && !frustum.MayContain(Vector3::Transform(mesh.GetBoundsCenter(), placement),
                                        mesh.GetBoundsRadius() * MaxScale(placement))) {
            draw.SkipNode(model, mesh);
            continue;
        }
        if (!batch.IsEmpty()) {
            // Effects held back may stay held only where this node cannot cover them.
            batch.BeforeDraw(cull ? NodeArea(mesh, placement, viewProjection)
                                  : ScreenArea::Everything());
        }
        mesh.Activate();
        shader.UploadObject();

        size_t j = 0;
        while (j < mesh.subsets.size()) {
            if (mesh.subsets[j].faceCount == 0) {
                ++j;
            } else if (!MaterialOf(model, mesh.subsets[j])) {
                draw.DrawKeepingMaterial(mesh, j);
                ++j;
            } else {
                j = draw.DrawRun(model, mesh, j);
            }
        }
    }
    shader.UseMaterialSet(false);
    draw.BindPending();
}

}  // namespace

void DrawModel(const FwModel* model, float alpha, const std::vector<Matrix>* nodeMatrices) {
    DrawNodes(model, nullptr, alpha, nodeMatrices);
}

void DrawModelEmissive(const FwModel* model, const Vector3& emissive, float alpha,
                       const std::vector<Matrix>* nodeMatrices) {
    DrawNodes(model, &emissive, alpha, nodeMatrices);
}

void SetMergedSubsetDraws(bool on) {
    mergeSubsets = on;
}
