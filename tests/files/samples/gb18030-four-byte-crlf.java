// 表情也能保存：😀 与 𠀀
class Emoji {}
