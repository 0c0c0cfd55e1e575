// Reference counting and interface queries.
#include <gtest/gtest.h>

#include "cpuinfo/Information.h"

namespace cpuinfo {
namespace {

class ICounted : public IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("ICounted");
  virtual int Value() = 0;

 protected:
  ~ICounted() = default;
};

class TCounted final : public TInterfacedObject<ICounted> {
 public:
  explicit TCounted(int* alive) : alive_(alive) { ++*alive_; }
  ~TCounted() override { --*alive_; }
  int Value() override { return 7; }

 private:
  int* alive_;
};

TEST(Ref, TheLastReferenceFreesTheObject) {
  int alive = 0;
  {
    Ref<ICounted> first = Make<TCounted>(&alive);
    EXPECT_EQ(alive, 1);
    Ref<ICounted> second = first;
    first = Ref<ICounted>();
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(second->Value(), 7);
  }
  EXPECT_EQ(alive, 0);
}

TEST(Ref, MovingHandsOverWithoutCounting) {
  int alive = 0;
  Ref<ICounted> first = Make<TCounted>(&alive);
  Ref<ICounted> second = std::move(first);
  EXPECT_FALSE(first);
  EXPECT_EQ(second->AddRef(), 2u);
  EXPECT_EQ(second->Release(), 1u);
  second = Ref<ICounted>();
  EXPECT_EQ(alive, 0);
}

TEST(QueryInterface, AnswersItsOwnInterfaceAndTheBase) {
  int alive = 0;
  Ref<ICounted> counted = Make<TCounted>(&alive);
  const Ref<IInterface> base = Query<IInterface>(counted);
  ASSERT_TRUE(base);
  EXPECT_EQ(Query<ICounted>(base)->Value(), 7);
  EXPECT_FALSE(Query<ICpuNumber>(counted));
  counted = Ref<ICounted>();
  EXPECT_EQ(alive, 1);  // base still holds it
}

TEST(QueryInterface, LibraryObjectsAnswerTheirInterfaces) {
  const Ref<ICpuNumber> number = MakeNumber(5);
  EXPECT_EQ(Query<ICpuNumber>(Query<IInterface>(number))->Value(), 5u);
  EXPECT_FALSE(Query<ICpuBoolean>(number));
}

TEST(InterfaceId, DistinctInterfacesHaveDistinctIds) {
  EXPECT_NE(ICpuNumber::kId, ICpuBoolean::kId);
  EXPECT_NE(ICpuid::kId, IProcessorCpuid::kId);
  EXPECT_NE(ICpuFeature::kId, ICpuFeatureSet::kId);
}

}  // namespace
}  // namespace cpuinfo
