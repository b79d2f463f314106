#include "tools/actionscript/ActionTable.h"

#include <array>

namespace actionscript {
namespace {

using swf::ActionCode;

constexpr std::array<ActionInfo, 102> kActions = {{
    {ActionCode::End, "End", 1},           {ActionCode::NextFrame, "NextFrame", 3},      {ActionCode::PreviousFrame, "PreviousFrame", 3},
    {ActionCode::Play, "Play", 3},          {ActionCode::Stop, "Stop", 3},           {ActionCode::ToggleQuality, "ToggleQuality", 3},
    {ActionCode::StopSounds, "StopSounds", 3},    {ActionCode::Add, "Add", 4},            {ActionCode::Subtract, "Subtract", 4},
    {ActionCode::Multiply, "Multiply", 4},      {ActionCode::Divide, "Divide", 4},         {ActionCode::Equals, "Equals", 4},
    {ActionCode::Less, "Less", 4},          {ActionCode::And, "And", 4},            {ActionCode::Or, "Or", 4},
    {ActionCode::Not, "Not", 4},           {ActionCode::StringEquals, "StringEquals", 4},   {ActionCode::StringLength, "StringLength", 4},
    {ActionCode::StringExtract, "StringExtract", 4}, {ActionCode::Pop, "Pop", 4},            {ActionCode::ToInteger, "ToInteger", 4},
    {ActionCode::GetVariable, "GetVariable", 4},   {ActionCode::SetVariable, "SetVariable", 4},    {ActionCode::SetTarget2, "SetTarget2", 4},
    {ActionCode::StringAdd, "StringAdd", 4},     {ActionCode::GetProperty, "GetProperty", 4},    {ActionCode::SetProperty, "SetProperty", 4},
    {ActionCode::CloneSprite, "CloneSprite", 4},   {ActionCode::RemoveSprite, "RemoveSprite", 4},   {ActionCode::Trace, "Trace", 4},
    {ActionCode::StartDrag, "StartDrag", 4},     {ActionCode::EndDrag, "EndDrag", 4},        {ActionCode::StringLess, "StringLess", 4},
    {ActionCode::Throw, "Throw", 7},         {ActionCode::CastOp, "CastOp", 7},         {ActionCode::ImplementsOp, "ImplementsOp", 7},
    {ActionCode::FsCommand2, "FSCommand2", 99},   {ActionCode::RandomNumber, "RandomNumber", 4},   {ActionCode::MbStringLength, "MBStringLength", 4},
    {ActionCode::CharToAscii, "CharToAscii", 4},   {ActionCode::AsciiToChar, "AsciiToChar", 4},    {ActionCode::GetTime, "GetTime", 4},
    {ActionCode::MbStringExtract, "MBStringExtract", 4}, {ActionCode::MbCharToAscii, "MBCharToAscii", 4}, {ActionCode::MbAsciiToChar, "MBAsciiToChar", 4},
    {ActionCode::Delete, "Delete", 5},        {ActionCode::Delete2, "Delete2", 5},        {ActionCode::DefineLocal, "DefineLocal", 5},
    {ActionCode::CallFunction, "CallFunction", 5},  {ActionCode::Return, "Return", 5},         {ActionCode::Modulo, "Modulo", 5},
    {ActionCode::NewObject, "NewObject", 5},     {ActionCode::DefineLocal2, "DefineLocal2", 5},   {ActionCode::InitArray, "InitArray", 5},
    {ActionCode::InitObject, "InitObject", 5},    {ActionCode::TypeOf, "TypeOf", 5},         {ActionCode::TargetPath, "TargetPath", 5},
    {ActionCode::Enumerate, "Enumerate", 5},     {ActionCode::Add2, "Add2", 5},           {ActionCode::Less2, "Less2", 5},
    {ActionCode::Equals2, "Equals2", 5},       {ActionCode::ToNumber, "ToNumber", 5},       {ActionCode::ToString, "ToString", 5},
    {ActionCode::PushDuplicate, "PushDuplicate", 5}, {ActionCode::StackSwap, "StackSwap", 5},      {ActionCode::GetMember, "GetMember", 5},
    {ActionCode::SetMember, "SetMember", 5},     {ActionCode::Increment, "Increment", 5},      {ActionCode::Decrement, "Decrement", 5},
    {ActionCode::CallMethod, "CallMethod", 5},    {ActionCode::NewMethod, "NewMethod", 5},      {ActionCode::InstanceOf, "InstanceOf", 6},
    {ActionCode::Enumerate2, "Enumerate2", 6},    {ActionCode::BitAnd, "BitAnd", 5},         {ActionCode::BitOr, "BitOr", 5},
    {ActionCode::BitXor, "BitXor", 5},        {ActionCode::BitLShift, "BitLShift", 5},      {ActionCode::BitRShift, "BitRShift", 5},
    {ActionCode::BitURShift, "BitURShift", 5},    {ActionCode::StrictEquals, "StrictEquals", 6},   {ActionCode::Greater, "Greater", 6},
    {ActionCode::StringGreater, "StringGreater", 6}, {ActionCode::Extends, "Extends", 7},        {ActionCode::GotoFrame, "GotoFrame", 3},
    {ActionCode::GetUrl, "GetURL", 3},        {ActionCode::StoreRegister, "StoreRegister", 5},  {ActionCode::ConstantPool, "ConstantPool", 5},
    {ActionCode::StrictMode, "StrictMode", 99},   {ActionCode::WaitForFrame, "WaitForFrame", 3},   {ActionCode::SetTarget, "SetTarget", 3},
    {ActionCode::GotoLabel, "GotoLabel", 3},     {ActionCode::WaitForFrame2, "WaitForFrame2", 4},  {ActionCode::DefineFunction2, "DefineFunction2", 7},
    {ActionCode::Try, "Try", 7},           {ActionCode::With, "With", 5},           {ActionCode::Push, "Push", 4},
    {ActionCode::Jump, "Jump", 4},          {ActionCode::GetUrl2, "GetURL2", 4},        {ActionCode::DefineFunction, "DefineFunction", 5},
    {ActionCode::If, "If", 4},            {ActionCode::Call, "Call", 4},           {ActionCode::GotoFrame2, "GotoFrame2", 4},
}};

} // namespace

const ActionInfo* FindAction(uint8_t code)
{
    for (const auto& info : kActions)
        if (info.code == static_cast<ActionCode>(code))
            return &info;
    return nullptr;
}

} // namespace actionscript
