#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/math/Vector2.h"
#include "engine/math/Vector3.h"

class FwBuffer;

// The vertex format of every model: 36 bytes, the layout the model shader reads
// (position at 0, uv at 12, normal at 20, RGBA8 colour at 32).
struct FwMeshVertex {
    Vector3 pos;
    Vector2 uv;
    Vector3 normal;
    // R, G, B, A bytes in memory order, unsigned normalised; opaque white by default.
    uint8_t color[4] = {0xFF, 0xFF, 0xFF, 0xFF};
};
static_assert(sizeof(FwMeshVertex) == 36, "the model vertex layout is 36 bytes");

// One triangle: three vertex indices, in the game's (left-handed, reversed) winding.
struct FwMeshFace {
    uint32_t i0 = 0;
    uint32_t i1 = 0;
    uint32_t i2 = 0;
};
static_assert(sizeof(FwMeshFace) == 12, "faces are uploaded as 32-bit index triples");

// A run of faces drawn with one material. materialIndex is an index into the owning
// model's materials, or -1 for "keep whatever material is bound".
struct FwMeshSubset {
    int materialIndex = -1;
    uint32_t firstFace = 0;
    uint32_t faceCount = 0;
};

// The triangles of one model node: GPU vertex and index buffers for drawing, plus CPU
// copies of the positions and faces for the collision queries. Shared between copies
// of a model through std::shared_ptr; not copyable itself (it owns GPU objects).
class FwMesh {
public:
    FwMesh();
    ~FwMesh();
    FwMesh(const FwMesh&) = delete;
    FwMesh& operator=(const FwMesh&) = delete;

    // Replaces everything: uploads the vertices and faces (when there are any) and keeps
    // the positions, faces and subsets. Needs a current GL context with the graphics
    // device initialised. False when a GPU buffer cannot be created; the CPU copies are
    // kept either way, so collision queries still work.
    bool Create(const std::vector<FwMeshVertex>& vertices, const std::vector<FwMeshFace>& faces,
                const std::vector<FwMeshSubset>& subsets);
    // Frees the GPU buffers and empties the CPU copies.
    void Release();

    // Binds the vertex buffer (stride 36), the 32-bit index buffer and the triangle-list
    // topology on the graphics device. The mesh input layout comes with
    // ModelShader::Activate.
    void Activate() const;
    // Draws subset i if it exists, has faces and lies inside the index buffer; anything
    // else is ignored.
    void DrawSubset(int i) const;
    // Draws faceCount faces from firstFace (consecutive subsets in one call) if they lie
    // inside the index buffer; anything else is ignored.
    void DrawFaces(uint32_t firstFace, uint32_t faceCount) const;

    bool HasGpuBuffers() const;

    // The vertices subset i's faces refer to: every index lies in [first, end). An empty
    // range (first == end) for a subset without faces or an index past the subsets.
    struct VertexRange {
        uint32_t first = 0;
        uint32_t end = 0;
    };
    VertexRange GetSubsetVertices(size_t i) const {
        return i < subsetVertices.size() ? subsetVertices[i] : VertexRange{};
    }

    // A sphere in mesh space holding every vertex given to Create (radius < 0 when there
    // were none), for skipping draws outside the view.
    const Vector3& GetBoundsCenter() const { return boundsCenter; }
    float GetBoundsRadius() const { return boundsRadius; }

    std::vector<FwMeshSubset> subsets;
    // Vertex positions in the mesh's own space (left-handed, z already mirrored).
    std::vector<Vector3> positions;
    std::vector<FwMeshFace> faces;

private:
    void ComputeBounds();
    void ComputeSubsetVertices();

    std::unique_ptr<FwBuffer> vertexBuffer;
    std::unique_ptr<FwBuffer> indexBuffer;
    // Faces in the index buffer (the bound for DrawSubset).
    uint32_t gpuFaceCount = 0;
    Vector3 boundsCenter;
    float boundsRadius = -1.0f;
    std::vector<VertexRange> subsetVertices;
};
