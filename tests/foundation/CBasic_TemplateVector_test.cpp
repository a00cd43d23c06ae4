#include "foundation/CBasic_TemplateVector.h"

#include <gtest/gtest.h>

namespace {

using Vecteur = CBasic_TemplateVector<int*>;

TEST(Vecteur, WorkedGrowthAndShrinkSequence)
{
    int valeurs[12];
    Vecteur v(8, 4);
    EXPECT_EQ(v.capacity, 8);
    EXPECT_EQ(v.Push(&valeurs[0]), 0);
    EXPECT_EQ(v.capacity, 4);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(v.Push(&valeurs[i]), i);
    EXPECT_EQ(v.capacity, 8);
    for (int i = 5; i < 9; ++i)
        v.Push(&valeurs[i]);
    EXPECT_EQ(v.capacity, 12);
    EXPECT_EQ(v.Delete(8), 1);
    EXPECT_EQ(v.capacity, 12);
    EXPECT_EQ(v.Delete(7), 1);
    EXPECT_EQ(v.capacity, 8);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(v.elements[i], &valeurs[i]);
}

TEST(Vecteur, DeleteKeepsOrderAndIgnoresOutOfRange)
{
    int a, b, c;
    Vecteur v(8, 4);
    v.Push(&a);
    v.Push(&b);
    v.Push(&c);
    EXPECT_EQ(v.Delete(-1), 0);
    EXPECT_EQ(v.Delete(3), 0);
    EXPECT_EQ(v.size, 3);
    EXPECT_EQ(v.Delete(0), 1);
    ASSERT_EQ(v.size, 2);
    EXPECT_EQ(v.elements[0], &b);
    EXPECT_EQ(v.elements[1], &c);
}

TEST(Vecteur, ConstructorFallbacksAndReleasingTheArray)
{
    int a;
    Vecteur v(-3, 0);
    EXPECT_EQ(v.capacity, 0);
    EXPECT_EQ(v.growStep, 16);
    EXPECT_EQ(v.elements, nullptr);
    v.Push(&a);
    EXPECT_EQ(v.capacity, 16);

    Vecteur w(4, 4);
    w.Push(&a);
    w.Delete(0);
    EXPECT_EQ(w.capacity, 4); // capacity equal to growStep: kept
    EXPECT_NE(w.elements, nullptr);

    Vecteur x(12, 4);
    x.SetSize(0);
    EXPECT_EQ(x.capacity, 0);
    EXPECT_EQ(x.elements, nullptr);
}

TEST(Vecteur, FailedGrowthLeavesTheVectorAsItWas)
{
    int a;
    Vecteur v(8, 4);
    v.Push(&a);
    EXPECT_FALSE(v.SetSize(0x7fffffff));
    EXPECT_EQ(v.size, 1);
    EXPECT_EQ(v.capacity, 4);
    EXPECT_EQ(v.elements[0], &a);
}

} // namespace
