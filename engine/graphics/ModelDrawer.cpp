#include "engine/graphics/ModelDrawer.h"

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

// A node wholly outside the view is not drawn, but the material its last subset would
// have bound is bound anyway: a later subset without a material keeps that one.
void BindLastMaterial(const FwModel* model, const FwMesh& mesh, const Vector3* emissiveOverride,
                      float alpha) {
    for (size_t j = mesh.subsets.size(); j-- > 0;) {
        if (mesh.subsets[j].faceCount == 0) continue;
        const FwMaterial* m = MaterialOf(model, mesh.subsets[j]);
        if (!m) continue;  // a subset without one keeps what an earlier subset bound
        BindMaterial(ShaderManager::GetInstance().GetModelShader(), *m,
                     emissiveOverride ? *emissiveOverride : m->Emissive, alpha);
        return;
    }
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
    const ViewFrustum frustum(shaders.GetView() * shaders.GetProjMatrix(),
                              GraphicsDevice::GetInstance().GetRasterizerState().depthClip);

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
            BindLastMaterial(model, mesh, emissiveOverride, alpha);
            continue;
        }
        mesh.Activate();
        shader.UploadObject();

        for (size_t j = 0; j < mesh.subsets.size(); ++j) {
            const FwMeshSubset& subset = mesh.subsets[j];
            if (subset.faceCount == 0) continue;
            if (const FwMaterial* m = MaterialOf(model, subset)) {
                BindMaterial(shader, *m, emissiveOverride ? *emissiveOverride : m->Emissive, alpha);
            } else if (materialBoundGeneration != GraphicsDevice::LiveGeneration()) {
                FwMaterial white;
                BindMaterial(shader, white, emissiveOverride ? *emissiveOverride : white.Emissive,
                             alpha);
            }
            mesh.DrawSubset(int(j));
        }
    }
}

}  // namespace

void DrawModel(const FwModel* model, float alpha, const std::vector<Matrix>* nodeMatrices) {
    DrawNodes(model, nullptr, alpha, nodeMatrices);
}

void DrawModelEmissive(const FwModel* model, const Vector3& emissive, float alpha,
                       const std::vector<Matrix>* nodeMatrices) {
    DrawNodes(model, &emissive, alpha, nodeMatrices);
}
