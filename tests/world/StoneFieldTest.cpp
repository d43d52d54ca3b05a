// The stone table, stone placement from the random draws, shattering, fragments and flashes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "battle/ProbeScene.h"
#include "engine/audio/AudioManager.h"
#include "game/world/StoneField.h"
#include "support/GameHarness.h"

namespace {

class StoneTable : public ::testing::Test {
protected:
    void TearDown() override {
        DropDevicelessCaches();
        std::filesystem::remove(path);
    }

    void Write(const std::vector<float>& values, size_t extraBytes = 0) {
        std::vector<unsigned char> bytes(values.size() * 4 + extraBytes, 0xAB);
        for (size_t i = 0; i < values.size(); ++i) {
            uint32_t bits;
            std::memcpy(&bits, &values[i], 4);
            for (int b = 0; b < 4; ++b)
                bytes[i * 4 + b] = static_cast<unsigned char>(bits >> (8 * b));
        }
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    std::string path =
        (std::filesystem::temp_directory_path() / ("stones_" + std::to_string(::getpid()) + ".dat"))
            .string();
};

float RowLength(const Matrix& m, int row) {
    const Vector4 r = m.Row(row);
    return std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
}

TEST_F(StoneTable, FullTablePlacesEveryStoneKeepingItsRotationAndScale) {
    std::vector<float> values(60);
    for (int i = 0; i < 60; ++i) values[i] = static_cast<float>(i) * 1.5f;
    values[0] = 10.0f;
    values[1] = 20.0f;
    values[2] = 30.0f;
    Write(values, 7);  // bytes after the 20th record are not read
    srand(42);
    StoneField field(path);
    const auto& stones = field.GetStones();
    ASSERT_EQ(stones.size(), 20u);
    const Matrix& first = stones[0]->GetBaseMatrix();
    EXPECT_FLOAT_EQ(first.Translation().x, 10.0f);
    EXPECT_FLOAT_EQ(first.Translation().y, 20.0f);
    EXPECT_FLOAT_EQ(first.Translation().z, 30.0f);
    for (int row = 0; row < 3; ++row) EXPECT_NEAR(RowLength(first, row), 5.0f, 1e-4f);
    EXPECT_FLOAT_EQ(stones[19]->GetBaseMatrix().Translation().z, 59.0f * 1.5f);
    // The drawn matrix follows the base matrix, radius 7.
    EXPECT_TRUE(stones[0]->GetMatrix() == first);
    EXPECT_FLOAT_EQ(stones[0]->GetRadius(), 7.0f);
}

TEST_F(StoneTable, ShortFileLeavesTheStonesItLacksAtTheOrigin) {
    // One full record and half of the next: the cut record is not turned into a position.
    Write({10.0f, 20.0f, 30.0f, 40.0f}, 2);
    StoneField field(path);
    const auto& stones = field.GetStones();
    EXPECT_FLOAT_EQ(stones[0]->GetBaseMatrix().Translation().y, 20.0f);
    for (size_t i = 1; i < stones.size(); ++i) {
        EXPECT_TRUE(stones[i]->GetBaseMatrix().Translation() == Vector3()) << "stone " << i;
        EXPECT_NEAR(RowLength(stones[i]->GetBaseMatrix(), 1), 5.0f, 1e-4f);
    }
}

TEST_F(StoneTable, MissingFileLeavesEveryStoneAtTheOrigin) {
    Vector3 positions[StoneField::kStoneCount];
    EXPECT_FALSE(StoneField::ReadTable(path + ".none", positions));
    StoneField field(path + ".none");
    ASSERT_EQ(field.GetStones().size(), 20u);
    for (const Stone* stone : field.GetStones())
        EXPECT_TRUE(stone->GetBaseMatrix().Translation() == Vector3());
}

TEST_F(StoneTable, StonePlacementDrawsModelThenAnglesAboutXYZ) {
    srand(2024);
    const int model = rand() % 3;
    const float ax = ToRadians(static_cast<float>(rand() % 360));
    const float ay = ToRadians(static_cast<float>(rand() % 360));
    const float az = ToRadians(static_cast<float>(rand() % 360));
    const int next = rand();
    srand(2024);
    Stone stone;
    EXPECT_EQ(stone.GetModelIndex(), model);
    const Matrix expected = Matrix::CreateScale(5.0f) * Matrix::CreateRotationZ(az) *
                            Matrix::CreateRotationX(ax) * Matrix::CreateRotationY(ay);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(stone.GetBaseMatrix()(r, c), expected(r, c), 1e-5f) << r << "," << c;
    EXPECT_EQ(rand(), next);
}

TEST_F(StoneTable, PushByACollisionLastsInTheBaseMatrix) {
    StoneField field(path + ".none");
    Stone* stone = field.GetStones()[3];
    Matrix pushed = stone->GetBaseMatrix();
    pushed.SetTranslation(Vector3(2.0f, 0.0f, -1.0f));
    stone->SetMatrix(pushed);
    stone->UpdateMatrix();
    EXPECT_TRUE(stone->GetMatrix().Translation() == Vector3());  // until its next update
    field.Update(true);
    EXPECT_FLOAT_EQ(stone->GetMatrix().Translation().x, 2.0f);
}

class Shattering : public ::testing::Test {
protected:
    void TearDown() override { DropDevicelessCaches(); }
};

TEST_F(Shattering, TwoStonesHitInOnePassShatterTogetherWithTwoFlashesAndTwoSounds) {
    GameHarness harness;
    std::unique_ptr<StoneField> field;
    size_t soundsBefore = 0, soundsAfter = 0;
    size_t fragments = 0, flashes = 0, stonesLeft = 0;
    bool ran = false;
    RunAndRelease(
        harness,
        [&] {
            auto* scene = new ProbeScene;
            scene->onUpdate = [&] {
                if (ran) return;
                ran = true;
                field = std::make_unique<StoneField>();
                field->GetStones()[4]->SetHit(true);
                field->GetStones()[5]->SetHit(true);
                field->GetStones()[5]->SetHit(true);  // two weapons, one stone
                soundsBefore = AudioManager::GetInstance().GetPlayListSize();
                field->Update(true);
                soundsAfter = AudioManager::GetInstance().GetPlayListSize();
                fragments = field->GetFragments().size();
                flashes = field->GetFlashes().size();
                stonesLeft = field->GetStones().size();
            };
            scene->onDestroy = [&] { field.reset(); };
            return scene;
        },
        2);
    EXPECT_EQ(fragments, 20u);
    EXPECT_EQ(flashes, 2u);
    EXPECT_EQ(soundsAfter - soundsBefore, 2u);
    EXPECT_EQ(stonesLeft, 18u);
}

TEST_F(Shattering, FlashesPlayOnEveryCallWhileFragmentsMoveOnlyWhenAdvancing) {
    StoneField field("no-such-table.dat");
    // Hit a stone and its neighbour in list order, including the one moving into its place.
    field.GetStones()[0]->SetHit(true);
    field.GetStones()[1]->SetHit(true);
    field.Update(false);
    ASSERT_EQ(field.GetStones().size(), 18u);
    ASSERT_EQ(field.GetFragments().size(), 20u);
    ASSERT_EQ(field.GetFlashFrames().size(), 2u);

    std::vector<Vector3> before;
    for (const auto& f : field.GetFragments()) before.push_back(f->GetPosition());
    // 30 more non-advancing calls: flashes reach frame 8 on their 32nd update and go.
    for (int i = 0; i < 30; ++i) field.Update(false);
    EXPECT_EQ(field.GetFlashes().size(), 2u);
    EXPECT_EQ(field.GetFlashFrames()[0], 7);
    field.Update(false);
    EXPECT_TRUE(field.GetFlashes().empty());
    EXPECT_TRUE(field.GetFlashFrames().empty());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(field.GetFragments()[i]->GetPosition() == before[i]);
        EXPECT_EQ(field.GetFragments()[i]->GetAge(), 0);
    }
    field.Update(true);
    EXPECT_FALSE(field.GetFragments()[0]->GetPosition() == before[0]);
}

TEST_F(Shattering, FragmentsAreOpaqueFor180StepsThenFadeOutAndAreRemoved) {
    StoneField field("no-such-table.dat");
    field.GetStones()[7]->SetHit(true);
    field.Update(false);
    const Fragment& first = *field.GetFragments()[0];
    // Starts 20 steps out along its path, moving 0.025 to 0.25 per step.
    const float speed = first.GetVelocity().Length();
    EXPECT_GE(speed, 0.025f - 1e-6f);
    EXPECT_LE(speed, 0.25f + 1e-6f);
    EXPECT_NEAR(first.GetPosition().Length(), 20.0f * speed, 1e-4f);
    for (int i = 0; i < 180; ++i) field.Update(true);
    ASSERT_EQ(field.GetFragments().size(), 10u);
    EXPECT_FLOAT_EQ(field.GetFragments()[0]->GetAlpha(), 1.0f);
    int steps = 180;
    while (!field.GetFragments().empty() && steps < 1000) {
        field.Update(true);
        ++steps;
    }
    EXPECT_GE(steps, 680);
    EXPECT_LE(steps, 682);
}

}  // namespace
