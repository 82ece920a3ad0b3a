// 你好，世界：一个最小的Java程序
/* 注释里的全角标点：，。；“引号” */
public class Hello {
    public static void main(String[] args) {
        System.out.println("你好，世界！");
    }
}
