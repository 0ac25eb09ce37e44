// input_test.cpp -- the keyboard and mouse opens, polls and closes, on fake DirectInput objects
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "input/input.h"
#include "shell/entry.h"
#include "tests/fakes/dinput_mock.h"

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgPointee;
using ::testing::StrictMock;
using ::testing::TestWithParam;
using ::testing::Values;

static HWND const WINDOW = reinterpret_cast<HWND>(0x5150);
static HINSTANCE const INSTANCE = reinterpret_cast<HINSTANCE>(0x4000);

// What differs between the keyboard and the mouse, as the tests see it.
struct DeviceCase {
    const char *name;
    int (*open)(void);
    int (*poll)(void);
    void (*close)(void);
    const GUID *guid;
    const DIDATAFORMAT *format;
    IDirectInputDevice8A **reference;
    BYTE *snapshot;
    DWORD size;
};

static void PrintTo(const DeviceCase &c, std::ostream *os)
{
    *os << c.name;
}

static const DeviceCase KEYBOARD_CASE = {"Keyboard", OpenKeyboard, PollKeyboard, CloseKeyboard,
                                         &GUID_SysKeyboard, &c_dfDIKeyboard, &keyboardDevice,
                                         keyState, 256};
static const DeviceCase MOUSE_CASE = {"Mouse", OpenMouse, PollMouse, CloseMouse,
                                      &GUID_SysMouse, &c_dfDIMouse, &mouseDevice,
                                      reinterpret_cast<BYTE *>(&mouseState), 16};

// The input state lives for the whole process; every test starts with nothing open.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        directInput = nullptr;
        keyboardDevice = nullptr;
        mouseDevice = nullptr;
        memset(keyState, 0, sizeof keyState);
        memset(&mouseState, 0, sizeof mouseState);
        mainWindow = WINDOW;
        appInstance = INSTANCE;
    }
    void TearDown() override
    {
        directInput = nullptr;
        keyboardDevice = nullptr;
        mouseDevice = nullptr;
        mainWindow = nullptr;
        appInstance = nullptr;
    }
};

TEST_F(InputTest, OpenInputPassesInstanceVersionAndInterface)
{
    StrictMock<MockDirectInputModule> module;
    StrictMock<MockDirectInput> input;
    EXPECT_CALL(module, Create(INSTANCE, 0x0800u, IID_IDirectInput8A, _, nullptr))
        .WillOnce(DoAll(SetArgPointee<3>(static_cast<LPVOID>(static_cast<IDirectInput8A *>(&input))),
                        Return(DI_OK)));
    EXPECT_EQ(1, OpenInput());
    EXPECT_EQ(&input, directInput);
}

// OpenInput, unlike the device steps, takes any non-negative answer as success.
TEST_F(InputTest, OpenInputCountsOnlyNegativeAsFailure)
{
    const struct {
        HRESULT answer;
        int expected;
    } cases[] = {{DI_OK, 1}, {S_FALSE, 1}, {E_FAIL, 0}, {DIERR_INVALIDPARAM, 0}};
    for (const auto &c : cases) {
        StrictMock<MockDirectInputModule> module;
        EXPECT_CALL(module, Create(_, _, _, _, _)).WillOnce(Return(c.answer));
        EXPECT_EQ(c.expected, OpenInput()) << "DirectInput8Create answering 0x" << std::hex
                                           << (uint32_t)c.answer;
    }
}

TEST_F(InputTest, CloseInputReleasesOnceAndSkipsNull)
{
    StrictMock<MockDirectInput> input;
    directInput = &input;
    EXPECT_CALL(input, Release()).WillOnce(Return(0));
    CloseInput();
    CloseInput(); // nothing left: no second call
}

class InputDeviceTest : public InputTest, public ::testing::WithParamInterface<DeviceCase> {
protected:
    StrictMock<MockDirectInput> input;
    StrictMock<MockInputDevice> device;

    void SetUp() override
    {
        InputTest::SetUp();
        directInput = &input;
    }

    // CreateDevice hands out the fake device with the given answer.
    void ExpectCreate(HRESULT answer)
    {
        const DeviceCase &c = GetParam();
        EXPECT_CALL(input, CreateDevice(*c.guid, c.reference, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(static_cast<IDirectInputDevice8A *>(&device)),
                            Return(answer)));
    }
};

TEST_P(InputDeviceTest, OpenMakesSharesFormatsAndAcquiresInOrder)
{
    const DeviceCase &c = GetParam();
    {
        InSequence order;
        ExpectCreate(DI_OK);
        EXPECT_CALL(device, SetCooperativeLevel(WINDOW, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND))
            .WillOnce(Return(DI_OK));
        EXPECT_CALL(device, SetDataFormat(c.format)).WillOnce(Return(DI_OK));
        EXPECT_CALL(device, Acquire()).WillOnce(Return(DI_OK));
        EXPECT_CALL(device, Unacquire()).WillOnce(Return(DI_OK));
        EXPECT_CALL(device, Release()).WillOnce(Return(0));
    }
    EXPECT_EQ(1, c.open());
    EXPECT_EQ(&device, *c.reference);
    c.close();
    c.close(); // already closed: no call
}

// Each device step counts only exactly 0 as success: a positive answer stops the open with 0
// at that step, and the device stays in place.
TEST_P(InputDeviceTest, PositiveAnswerFromAnyStepFailsTheOpen)
{
    const DeviceCase &c = GetParam();
    for (int failing = 0; failing < 4; failing++) {
        ::testing::Mock::VerifyAndClearExpectations(&input);
        ::testing::Mock::VerifyAndClearExpectations(&device);
        *c.reference = nullptr;
        InSequence order;
        ExpectCreate(failing == 0 ? S_FALSE : DI_OK);
        if (failing >= 1)
            EXPECT_CALL(device, SetCooperativeLevel(_, _))
                .WillOnce(Return(failing == 1 ? S_FALSE : DI_OK));
        if (failing >= 2)
            EXPECT_CALL(device, SetDataFormat(_)).WillOnce(Return(failing == 2 ? S_FALSE : DI_OK));
        if (failing >= 3)
            EXPECT_CALL(device, Acquire()).WillOnce(Return(S_FALSE));
        EXPECT_EQ(0, c.open()) << "step " << failing << " answering S_FALSE";
    }
}

// Acquire's S_FALSE means the device is acquired after all: the open says 0, the polls work.
TEST_P(InputDeviceTest, AcquireAnsweringFalseStillPolls)
{
    const DeviceCase &c = GetParam();
    ExpectCreate(DI_OK);
    EXPECT_CALL(device, SetCooperativeLevel(_, _)).WillOnce(Return(DI_OK));
    EXPECT_CALL(device, SetDataFormat(_)).WillOnce(Return(DI_OK));
    EXPECT_CALL(device, Acquire()).WillOnce(Return(S_FALSE));
    EXPECT_CALL(device, GetDeviceState(c.size, static_cast<LPVOID>(c.snapshot)))
        .Times(2)
        .WillRepeatedly(Return(DI_OK));
    EXPECT_EQ(0, c.open());
    EXPECT_EQ(1, c.poll());
    EXPECT_EQ(1, c.poll());
}

// A refused data format leaves the device made but never acquired; its refused reads make the
// poll say 0 and leave the last snapshot as it was.
TEST_P(InputDeviceTest, FailedDataFormatKeepsDeviceAndSnapshot)
{
    const DeviceCase &c = GetParam();
    ExpectCreate(DI_OK);
    EXPECT_CALL(device, SetCooperativeLevel(_, _)).WillOnce(Return(DI_OK));
    EXPECT_CALL(device, SetDataFormat(_)).WillOnce(Return(DIERR_INVALIDPARAM));
    EXPECT_CALL(device, Acquire()).Times(0);
    EXPECT_CALL(device, GetDeviceState(c.size, _)).WillRepeatedly(Return(DIERR_NOTACQUIRED));
    EXPECT_EQ(0, c.open());
    EXPECT_EQ(&device, *c.reference);

    memset(c.snapshot, 0x80, c.size);
    EXPECT_EQ(0, c.poll());
    for (DWORD i = 0; i < c.size; i++)
        ASSERT_EQ(0x80, c.snapshot[i]) << "byte " << i << " of the snapshot";

    EXPECT_CALL(device, Unacquire()).WillOnce(Return(S_FALSE));
    EXPECT_CALL(device, Release()).WillOnce(Return(0));
    c.close();
}

// A read, like the device steps, succeeds only with exactly 0.
TEST_P(InputDeviceTest, PollSucceedsOnlyOnZero)
{
    const DeviceCase &c = GetParam();
    *c.reference = &device;
    const struct {
        HRESULT answer;
        int expected;
    } cases[] = {{DI_OK, 1}, {S_FALSE, 0}, {DIERR_NOTACQUIRED, 0}, {DIERR_INVALIDPARAM, 0}};
    for (const auto &r : cases) {
        EXPECT_CALL(device, GetDeviceState(c.size, static_cast<LPVOID>(c.snapshot)))
            .WillOnce(Return(r.answer));
        EXPECT_EQ(r.expected, c.poll()) << "GetDeviceState answering 0x" << std::hex
                                        << (uint32_t)r.answer;
    }
}

TEST_P(InputDeviceTest, PollWithoutDeviceZeroesSnapshot)
{
    const DeviceCase &c = GetParam();
    memset(c.snapshot, 0xFF, c.size);
    EXPECT_EQ(0, c.poll());
    for (DWORD i = 0; i < c.size; i++)
        ASSERT_EQ(0, c.snapshot[i]) << "byte " << i << " of the snapshot";
}

// GameStart opens the devices even when the input object could not be made.
TEST_P(InputDeviceTest, OpenWithoutInputObjectMakesNoDevice)
{
    const DeviceCase &c = GetParam();
    directInput = nullptr;
    EXPECT_EQ(0, c.open());
    EXPECT_EQ(nullptr, *c.reference);
    EXPECT_EQ(0, c.poll());
}

INSTANTIATE_TEST_SUITE_P(Devices, InputDeviceTest, Values(KEYBOARD_CASE, MOUSE_CASE),
                         [](const ::testing::TestParamInfo<DeviceCase> &info) {
                             return std::string(info.param.name);
                         });
